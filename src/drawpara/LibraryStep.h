#pragma once
// One step of work on a parameter library, framed as every step of the library and its dialogs
// is: the file must exist ("没有找到系统文件%s!!" with its path), the database object must not
// be open already ("OPEN ERROR:数据库已经打开！！"); the database is opened shared and writable,
// and closed on every path. A database error is shown with the engine's own description.
#include <functional>
#include <string>
#include <string_view>

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
[[nodiscard]] bool RunLibraryStep(const CString& pathGbk, StepMode mode,
                                  const std::function<void(ckw::dao::Database&)>& body,
                                  const std::function<bool(const ckw::dao::DaoException&)>& onError = {});

[[nodiscard]] bool LibraryFileExists(const CString& pathGbk);

// A user-parameter table name as callers give it: blank-padded (a Fortran CHARACTER argument) or
// in one pair of brackets, as the database the files were made for accepted it. The name that
// remains is still only ever quoted as an identifier.
std::string UserParaTableName(std::string_view nameGbk);

// Writes of the program's settings that did not complete (a write step that failed, a setting
// the registry refused), so that a program can end with a failure status and not as a success.
int FailedWrites();
void CountFailedWrite();

}  // namespace ckw::drawpara
