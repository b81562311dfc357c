// Keeping the user library "用户绘图参数.mdb" in step with the system library "绘图参数.mdb":
// a first start copies the system library; a newer system library is merged in table by table,
// driven by the version table 版本信息表 of both files, keeping the values the user changed.
#include "drawpara/UserLibUpgrade.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <optional>
#include <set>
#include <vector>

#include <ckw/DrawingPara.h>
#include <ckw/Util.h>
#include "dao/Dao.h"
#include "base/StaleTemporaries.h"
#include "platform/FileCopy.h"
#include "base/GbkText.h"
#include "drawpara/LayerTableRefresh.h"
#include "drawpara/ParaMessages.h"

namespace dao = ckw::dao;
using ckw::drawpara::ShowFormattedMessage;
using ckw::drawpara::ShowMessage;

namespace {

constexpr long kFullReplacementBefore = 20081001;
constexpr const char* kTempTable = "tmp_table";
constexpr const char* kVersionTable = "版本信息表";

bool FileExists(const CString& pathGbk) { return std::filesystem::exists(ckw::text::GbkToUtf8(pathGbk.str())); }

// What tells one state of a file from another: a write moves its times or size, a replacement
// its inode.
struct FileState {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{}, changed{};
    bool operator==(const FileState& o) const {
        return device == o.device && inode == o.inode && size == o.size && modified.tv_sec == o.modified.tv_sec &&
               modified.tv_nsec == o.modified.tv_nsec && changed.tv_sec == o.changed.tv_sec &&
               changed.tv_nsec == o.changed.tv_nsec;
    }
};

std::optional<FileState> StateOf(const CString& pathGbk) {
    struct stat st {};
    if (::stat(ckw::text::GbkToUtf8(pathGbk.str()).c_str(), &st) != 0) return std::nullopt;
    return FileState{st.st_dev, st.st_ino, st.st_size, st.st_mtim, st.st_ctim};
}

// The system and user library as the last check of this process left them up to date. A program
// starts the parameter library again and again; while neither file has changed since, the check
// would find the same and is not made again.
struct CheckedLibraries {
    std::string system, user;
    std::optional<FileState> systemState, userState;
};
std::optional<CheckedLibraries>& LastCheck() {
    static std::optional<CheckedLibraries> checked;
    return checked;
}

bool CheckedAlready(const CString& systemLib, const CString& userLib) {
    const auto& last = LastCheck();
    if (!last || last->system != systemLib.str() || last->user != userLib.str()) return false;
    const auto systemState = StateOf(systemLib), userState = StateOf(userLib);
    return systemState && userState && systemState == last->systemState && userState == last->userState;
}

bool CopyLibraryFile(const CString& from, const CString& to) {
    return ckw::fs::CopyFileReplacing(ckw::text::GbkToUtf8(from.str()), ckw::text::GbkToUtf8(to.str()));
}

bool IsVersionTableName(const std::string& upper) { return upper == "版本信息表" || upper == "VERSIONINFORMATION"; }

// The whole-library version: the last item naming the version table itself.
long LibraryVersion(const CStringArray& items, const CArray<long, long>& values) {
    long version = 0;
    for (int i = 0; i < items.GetSize() && i < values.GetSize(); ++i)
        if (IsVersionTableName(ckw::text::ToUpper(ckw::text::Trim(items[i].str())))) version = values[i];
    return version;
}

// Index of the last item equal to name after trimming (no case change), or -1.
int FindItem(const CStringArray& items, const std::string& name) {
    int found = -1;
    for (int i = 0; i < items.GetSize(); ++i)
        if (ckw::text::Trim(items[i].str()) == name) found = i;
    return found;
}

std::vector<dao::FieldInfo> FieldsWithoutId(const dao::Recordset& rs) {
    std::vector<dao::FieldInfo> fields;
    for (int i = 0; i < rs.GetFieldCount(); ++i) {
        dao::FieldInfo info = rs.GetFieldInfo(i);
        if (ckw::text::ToUpper(info.name) != "ID") fields.push_back(info);
    }
    return fields;
}

bool HasField(const std::vector<dao::FieldInfo>& fields, const std::string& name) {
    for (const auto& f : fields)
        if (f.name == name) return true;
    return false;
}

// Runs body in one transaction on db and gives its result once committed; on a database error
// the transaction is rolled back, the error's description shown, and nothing given.
template <typename Body>
std::optional<int> InTransaction(dao::Database& db, Body body) {
    try {
        db.BeginTrans();
        int result = body();
        db.CommitTrans();
        return result;
    } catch (const dao::DaoException& e) {
        try {
            db.Rollback();
        } catch (const dao::DaoException&) {
            // Closing the database without a commit discards the transaction as well.
        }
        ckw::ui::ShowError(e.description());
        return std::nullopt;
    }
}

// The table operations without their transaction, so that the upgrade can record a table's new
// version in the same transaction as the table itself. Database errors propagate.
int CopyTableBody(dao::Database& source, dao::Database& target, const std::string& table) {
    if (target.TableExists(table)) target.DropTable(table);
    target.CopyTableFrom(source.path(), table, table);
    return 1;
}

int MergeTableBody(dao::Database& source, dao::Database& target, const std::string& table) {
    // Keep the user's rows aside, then take the system library's table.
    if (target.TableExists(kTempTable)) target.DropTable(kTempTable);
    target.CopyTableFrom("", table, kTempTable);
    target.DropTable(table);
    target.CopyTableFrom(source.path(), table, table);

    dao::Recordset fresh(target);
    dao::Recordset old(target);
    fresh.OpenTable(table);
    old.OpenTable(kTempTable);
    auto freshFields = FieldsWithoutId(fresh);
    auto oldFields = FieldsWithoutId(old);
    if (freshFields.empty() || oldFields.empty() || freshFields[0].name != oldFields[0].name ||
        freshFields[0].type != oldFields[0].type) {
        ShowFormattedMessage("数据库表%s字段名称完全不对应, 请检查!", table.c_str());
        fresh.Close();
        old.Close();
        target.DropTable(kTempTable);
        return 0;
    }
    const std::string& key = freshFields[0].name;
    dao::ForEachRow(fresh, [&](dao::Recordset&) {
        dao::Variant keyValue = fresh.GetFieldValue(key);
        // The user's row of the same key: old is left on it.
        bool found = false;
        if (old.GetRecordCount() > 0) old.MoveFirst();
        for (; !old.IsEOF(); old.MoveNext())
            if (old.GetFieldValue(key) == keyValue) {
                found = true;
                break;
            }
        if (!found) return;
        fresh.Edit();
        for (const auto& field : freshFields) {
            if (!HasField(oldFields, field.name)) continue;
            dao::Variant mine = old.GetFieldValue(field.name);
            if (mine.kind() == fresh.GetFieldValue(field.name).kind()) fresh.SetFieldValue(field.name, mine);
        }
        fresh.Update();
    });
    fresh.Close();
    old.Close();
    target.DropTable(kTempTable);
    return 1;
}

// Sets the version of one item in the user library's version table (every row of that item, as
// the reader takes the last), adding the row when there is none.
void RecordVersion(dao::Database& user, const std::string& item, long value) {
    dao::Recordset rs(user);
    rs.OpenTable(kVersionTable);
    bool found = false;
    dao::ForEachRow(rs, [&](dao::Recordset& row) {
        if (ckw::text::Trim(row.GetFieldValue("项目").AsText()) != item) return;
        found = true;
        row.Edit();
        row.SetFieldValue("数值", dao::Variant::Long(static_cast<int32_t>(value)));
        row.Update();
    });
    if (!found) {
        rs.AddNew();
        rs.SetFieldValue("项目", dao::Variant::Text(item));
        rs.SetFieldValue("数值", dao::Variant::Long(static_cast<int32_t>(value)));
        rs.Update();
    }
    rs.Close();
}

// A versioned table the user library lacks (dropped by another program or by hand) is copied
// from the system library with its version row, in one transaction: the loaders would otherwise
// find nothing, and equal library versions would never bring it back. 1 = none missing or all
// recreated.
int RecreateMissingTables(const std::string& systemPath, const std::string& userPath, const CStringArray& sysItems,
                          const CArray<long, long>& sysValues) {
    dao::Database user;
    user.Open(userPath);
    // One read of the schema instead of a query per item: this runs at every start.
    std::set<std::string> present;
    for (const dao::TableInfo& info : user.GetTableDefs()) present.insert(ckw::text::ToUpper(info.name));
    std::vector<int> missing;
    for (int i = 0; i < sysItems.GetSize(); ++i) {
        const std::string table = ckw::text::ToUpper(ckw::text::Trim(sysItems[i].str()));
        if (!table.empty() && !IsVersionTableName(table) && !present.count(table)) missing.push_back(i);
    }
    if (missing.empty()) return 1;
    dao::Database sys;
    sys.Open(systemPath);
    bool everyTableDone = true;
    // The last item of a table holds its version: a repeated one is then found copied.
    for (auto i = missing.rbegin(); i != missing.rend(); ++i) {
        const std::string table = ckw::text::ToUpper(ckw::text::Trim(sysItems[*i].str()));
        if (user.TableExists(table) || !sys.TableExists(table)) continue;
        const bool done = InTransaction(user, [&] {
                              const int result = CopyTableBody(sys, user, table);
                              RecordVersion(user, table, sysValues[*i]);
                              return result;
                          }).has_value();
        everyTableDone = everyTableDone && done;
    }
    return everyTableDone ? 1 : 0;
}

}  // namespace

namespace ckw::drawpara {

int CopyTableFromSourceToTarget(dao::Database& source, dao::Database& target, const std::string& table) {
    if (!source.TableExists(table)) {
        ShowFormattedMessage("数据库文件没有%s, 请更新文件绘图参数.mdb", table.c_str());
        return 0;
    }
    return InTransaction(target, [&] { return CopyTableBody(source, target, table); }).value_or(0);
}

int ModifyCommonTable(dao::Database& source, dao::Database& target, const std::string& table) {
    return InTransaction(target, [&] { return MergeTableBody(source, target, table); }).value_or(0);
}

}  // namespace ckw::drawpara

void CDrawingPara::UpdateUserLib() {
    char dir[260] = {};
    CUtil::GetKeloCfgPath(dir);
    std::memcpy(m_cfgPath, dir, sizeof m_cfgPath);
    m_systemLibPath.Format("%s/绘图参数.mdb", dir);
    m_userLibPath.Format("%s/用户绘图参数.mdb", dir);

    if (!FileExists(m_systemLibPath)) {
        ShowFormattedMessage("没有找到系统文件%s!!", m_systemLibPath.GetString());
        return;
    }
    // Both files as this process last found them up to date: nothing to check, and nothing of a
    // start cut short to clear away.
    if (CheckedAlready(m_systemLibPath, m_userLibPath)) return;
    const std::filesystem::path userLib = ckw::text::GbkToUtf8(m_userLibPath.str());
    ckw::fs::RemoveStaleTemporaries(userLib.parent_path(), userLib.filename().string() + ".tmp");
    if (!FileExists(m_userLibPath)) {
        FirstStart();
        return;
    }
    try {
        CStringArray sysItems, userItems;
        CArray<long, long> sysValues, userValues;
        if (!GetLibVersionInfomation(m_systemLibPath, sysItems, sysValues, 1)) return;
        GetLibVersionInfomation(m_userLibPath, userItems, userValues, 2);
        LastCheck().reset();
        if (ModifyVersionTable(sysItems, sysValues, userItems, userValues) == 1)
            LastCheck() = CheckedLibraries{m_systemLibPath.str(), m_userLibPath.str(), StateOf(m_systemLibPath),
                                           StateOf(m_userLibPath)};
    } catch (const dao::DaoException&) {
        // Already shown with the database's own description; the loaders go on and report what
        // they cannot read. Letting the error out of Init would end the calling program.
    }
}

// First start: the user library is copied from the system library, its layer table rebuilt with
// Chinese layer names and the drawing mode set to paper space. The copy is prepared under a
// temporary name and takes the user library's name last, so a start cut short anywhere leaves no
// user library behind and the next start does it all again.
void CDrawingPara::FirstStart() {
    CString prepared;
    prepared.Format("%s.tmp%d", m_userLibPath.GetString(), static_cast<int>(::getpid()));
    const std::string preparedUtf8 = ckw::text::GbkToUtf8(prepared.str());
    std::error_code ec;
    if (!CopyLibraryFile(m_systemLibPath, prepared)) {
        ShowMessage("文件访问CopyFile出错!!");
        std::filesystem::remove(preparedUtf8, ec);
        return;
    }
    bool rebuilt = ckw::drawpara::RefreshUserLayerTable(*this, prepared, 0);
    dao::Terminate();  // no connection stays on the prepared file once it is renamed
    if (!rebuilt) {
        // Reported by the rebuild; the next start begins again.
        std::filesystem::remove(preparedUtf8, ec);
        return;
    }
    SetDrawingKind05(2005);
    // The mode is part of a first start: without it recorded the start is not finished.
    if (GetDrawingKind05() != 2005) {
        std::filesystem::remove(preparedUtf8, ec);
        return;
    }
    if (!ckw::fs::SyncFile(preparedUtf8) ||
        (std::filesystem::rename(preparedUtf8, ckw::text::GbkToUtf8(m_userLibPath.str()), ec), ec)) {
        ShowMessage("文件访问CopyFile出错!!");
        std::filesystem::remove(preparedUtf8, ec);
    }
}

int CDrawingPara::GetLibVersionInfomation(const char* path, CStringArray& items, CArray<long, long>& values,
                                          int which) {
    dao::Database db;
    try {
        db.Open(path ? path : "");
    } catch (const dao::DaoException& e) {
        ckw::drawpara::OneMessagePerLoad::Show(e.description());
        throw;
    }
    dao::Recordset rs(db);
    try {
        rs.Open("select * from 版本信息表", dao::Recordset::OpenMode::Snapshot);
    } catch (const dao::DaoException& e) {
        if (e.errorCode() == 0x0C06) {
            if (which == 1) ShowFormattedMessage("数据库文件没有版本信息表(%ld), 请更新文件绘图参数.mdb", e.code());
        } else {
            ckw::drawpara::OneMessagePerLoad::Show(e.description());
        }
        return 0;
    }
    dao::ForEachRow(rs, [&](const dao::Recordset& row) {
        items.Add(CString(row.GetFieldValue("项目").AsText()));
        values.Add(row.GetFieldValue("数值").AsLong());
    });
    return 1;
}

int CDrawingPara::ModifyVersionTable(const CStringArray& sysItems, const CArray<long, long>& sysValues,
                                     const CStringArray& userItems, const CArray<long, long>& userValues) {
    const long sysVersion = LibraryVersion(sysItems, sysValues);
    const long userVersion = LibraryVersion(userItems, userValues);
    if (sysVersion < userVersion) {
        ShowMessage("数据库版本有问题sysVersion<userVersion, 请检查!!");
        return 0;
    }
    if (sysVersion == userVersion)
        return RecreateMissingTables(m_systemLibPath.str(), m_userLibPath.str(), sysItems, sysValues);
    if (userVersion < kFullReplacementBefore) {
        auto answer = ShowMessage(
            "系统文件 绘图参数.MDB 版本比 用户绘图参数.MDB 新! \n是否完全更新? 完全更新将覆盖用户修改后的参数!",
            ckw::ui::Buttons::YesNo);
        if (answer == ckw::ui::Answer::Yes) {
            if (CopyLibraryFile(m_systemLibPath, m_userLibPath)) return 1;
            ShowMessage("文件访问CopyFile出错!!");
            return 0;
        }
    }

    dao::Database sys;
    dao::Database user;
    if (sys.IsOpen() || user.IsOpen()) {
        ShowMessage("OPEN ERROR:数据库已经打开！！");
        return 0;
    }
    sys.Open(m_systemLibPath.str());
    user.Open(m_userLibPath.str());

    // Each table is upgraded in one transaction together with its row of the version table, so
    // an upgrade cut short resumes with the tables still behind. The whole-library version is
    // written last, when every table is done.
    CStringArray knownItems;
    CArray<long, long> knownValues;
    knownItems.Copy(userItems);
    knownValues.Copy(userValues);
    if (!user.TableExists(kVersionTable)) {
        // A user library without a version table is the user's all the same: its tables are
        // merged, never replaced. Their versions start unknown (0).
        if (!InTransaction(user, [&] {
                user.CopyTableFrom(sys.path(), kVersionTable, kVersionTable);
                user.Execute("UPDATE 版本信息表 SET 数值 = 0");
                return 1;
            }))
            return 0;
        knownItems.Copy(sysItems);
        knownValues.RemoveAll();
        for (int i = 0; i < sysItems.GetSize(); ++i) knownValues.Add(0);
    }
    bool everyTableDone = true;
    for (const dao::TableInfo& info : sys.GetTableDefs()) {
        if (info.attributes != 0 || !info.updatable) continue;
        const std::string table = ckw::text::ToUpper(info.name);
        if (IsVersionTableName(table)) continue;
        int sysIndex = FindItem(sysItems, table);
        int userIndex = FindItem(knownItems, table);
        bool merge = userIndex >= 0;
        // A table the system library does not version has nothing to upgrade to.
        if (merge && (sysIndex < 0 || sysValues[sysIndex] == knownValues[userIndex])) continue;
        auto done = InTransaction(user, [&] {
            int result =
                merge && user.TableExists(table) ? MergeTableBody(sys, user, table) : CopyTableBody(sys, user, table);
            if (sysIndex >= 0) RecordVersion(user, table, sysValues[sysIndex]);
            return result;
        });
        everyTableDone = everyTableDone && done.has_value();
    }
    // A table that failed keeps its old version, so the next start tries it again.
    if (!everyTableDone) return 0;
    if (!InTransaction(user, [&] { return CopyTableBody(sys, user, kVersionTable); })) return 0;
    return 1;
}
