#pragma once
// One step of work on a parameter library, framed as every step of the library and its dialogs
// is: the file must exist ("没有找到系统文件%s!!" with its path), the database object must not
// be open already ("OPEN ERROR:数据库已经打开！！"); the database is opened shared and writable,
// and closed on every path. A database error is shown with the engine's own description.
#include <functional>

#include <ckw/CString.h>

namespace ckw::dao {
class Database;
class DaoException;
}  // namespace ckw::dao

namespace ckw::drawpara {

enum class StepMode {
    Read,   // no transaction
    Write,  // one transaction: a failure rolls back and leaves every table as it was
};

// Runs body on the opened library. onError may take a database error itself (return true) so
// that it is not shown. false: the step did not run to its end.
[[nodiscard]] bool RunLibraryStep(const CString& pathGbk, StepMode mode, const std::function<void(ckw::dao::Database&)>& body,
                    const std::function<bool(const ckw::dao::DaoException&)>& onError = {});

[[nodiscard]] bool LibraryFileExists(const CString& pathGbk);

}  // namespace ckw::drawpara
