#pragma once
// While one lives, the table loaders of this thread read the library through one connection in
// one read transaction, instead of opening the file and locking it again for each table: the lists
// of one start are read as the file stands at one moment, and the start costs one opening.
#include <memory>

#include <ckw/CString.h>

namespace ckw::dao {
class Database;
}

namespace ckw::drawpara {

class SharedLibraryRead {
public:
    // A library that cannot be opened leaves each loader to open (and report) it on its own.
    explicit SharedLibraryRead(const CString& libPathGbk);
    ~SharedLibraryRead();
    SharedLibraryRead(const SharedLibraryRead&) = delete;
    SharedLibraryRead& operator=(const SharedLibraryRead&) = delete;

    // The open library of the innermost shared read of this thread, when it is this file.
    static dao::Database* For(const CString& libPathGbk);

private:
    std::unique_ptr<dao::Database> m_db;
    SharedLibraryRead* m_outer = nullptr;
};

}  // namespace ckw::drawpara
