#include "drawpara/LibraryStep.h"

#include <atomic>
#include <filesystem>

#include "dao/Dao.h"
#include "base/GbkText.h"
#include "platform/Ui.h"
#include "drawpara/ParaMessages.h"

namespace ckw::drawpara {

bool LibraryFileExists(const CString& pathGbk) {
    std::error_code ec;
    return std::filesystem::is_regular_file(ckw::text::GbkToUtf8(pathGbk.str()), ec);
}

namespace {
std::atomic<int> g_failedWrites{0};
}

std::string UserParaTableName(std::string_view nameGbk) {
    std::string name = ckw::text::Trim(nameGbk);
    if (name.size() >= 2 && name.front() == '[' && name.back() == ']')
        name = ckw::text::Trim(name.substr(1, name.size() - 2));
    return name;
}

int FailedWrites() { return g_failedWrites.load(); }
void CountFailedWrite() { ++g_failedWrites; }

bool RunLibraryStep(const CString& pathGbk, StepMode mode, const std::function<void(ckw::dao::Database&)>& body,
                    const std::function<bool(const ckw::dao::DaoException&)>& onError) {
    if (!LibraryFileExists(pathGbk)) {
        ShowFormattedMessage("没有找到系统文件%s!!", pathGbk.GetString());
        if (mode == StepMode::Write) CountFailedWrite();
        return false;
    }
    ckw::dao::Database db;
    if (db.IsOpen()) {
        ShowMessage("OPEN ERROR:数据库已经打开！！");
        if (mode == StepMode::Write) CountFailedWrite();
        return false;
    }
    bool inTransaction = false;
    try {
        db.Open(pathGbk.str());
        if (mode == StepMode::Write) {
            db.BeginTrans();
            inTransaction = true;
        }
        body(db);
        if (inTransaction) {
            inTransaction = false;
            db.CommitTrans();
        }
    } catch (const ckw::dao::DaoException& e) {
        if (inTransaction) {
            try {
                db.Rollback();
            } catch (const ckw::dao::DaoException&) {
                // Closing the database without a commit discards the transaction as well.
            }
        }
        if (!onError || !onError(e)) ckw::ui::ShowError(e.description());
        if (mode == StepMode::Write) CountFailedWrite();
        return false;
    }
    return true;
}

}  // namespace ckw::drawpara
