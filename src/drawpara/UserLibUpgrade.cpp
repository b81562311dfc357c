// Keeping the user library "用户绘图参数.mdb" in step with the system library "绘图参数.mdb":
// a first start copies the system library; a newer system library is merged in table by table,
// driven by the version table 版本信息表 of both files, keeping the values the user changed.
#include "drawpara/UserLibUpgrade.h"

#include <cstring>
#include <filesystem>
#include <vector>

#include <ckw/DrawingPara.h>
#include <ckw/Util.h>
#include "framework/Dao.h"
#include "framework/FileCopy.h"
#include "base/GbkText.h"
#include "drawpara/LayerTableRefresh.h"
#include "drawpara/ParaMessages.h"

namespace dao = ckw::dao;
using ckw::drawpara::ShowFormattedMessage;
using ckw::drawpara::ShowMessage;

namespace {

constexpr long kFullReplacementBefore = 20081001;
constexpr const char* kTempTable = "tmp_table";

bool FileExists(const CString& pathGbk) { return std::filesystem::exists(ckw::text::GbkToUtf8(pathGbk.str())); }

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

// Runs body in one transaction on db; on a database error the transaction is rolled back, the
// error's description shown, and 0 returned.
template <typename Body>
int InTransaction(dao::Database& db, Body body) {
    db.BeginTrans();
    try {
        int result = body();
        db.CommitTrans();
        return result;
    } catch (const dao::DaoException& e) {
        db.Rollback();
        ckw::ui::MessageBox(e.description());
        return 0;
    }
}

}  // namespace

namespace ckw::drawpara {

int CopyTableFromSourceToTarget(dao::Database& source, dao::Database& target, const std::string& table) {
    if (!source.TableExists(table)) {
        ShowFormattedMessage("数据库文件没有%s, 请更新文件绘图参数.mdb", table.c_str());
        return 0;
    }
    return InTransaction(target, [&] {
        if (target.TableExists(table)) target.DropTable(table);
        target.CopyTableFrom(source.path(), table, table);
        return 1;
    });
}

int ModifyCommonTable(dao::Database& source, dao::Database& target, const std::string& table) {
    return InTransaction(target, [&] {
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
        if (fresh.GetRecordCount() > 0) fresh.MoveFirst();
        for (; !fresh.IsEOF(); fresh.MoveNext()) {
            dao::Variant keyValue = fresh.GetFieldValue(key);
            bool found = false;
            if (old.GetRecordCount() > 0) old.MoveFirst();
            for (; !old.IsEOF(); old.MoveNext())
                if (old.GetFieldValue(key) == keyValue) {
                    found = true;
                    break;
                }
            if (!found) continue;
            fresh.Edit();
            for (const auto& field : freshFields) {
                if (!HasField(oldFields, field.name)) continue;
                dao::Variant mine = old.GetFieldValue(field.name);
                if (mine.kind() == fresh.GetFieldValue(field.name).kind()) fresh.SetFieldValue(field.name, mine);
            }
            fresh.Update();
        }
        fresh.Close();
        old.Close();
        target.DropTable(kTempTable);
        return 1;
    });
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
    if (!FileExists(m_userLibPath)) {
        // First start: the user library is copied from the system library.
        if (!CopyLibraryFile(m_systemLibPath, m_userLibPath)) ShowMessage("文件访问CopyFile出错!!");
        ckw::drawpara::RefreshUserLayerTable(*this, 0);
        SetDrawingKind05(2005);
        return;
    }
    try {
        CStringArray sysItems, userItems;
        CArray<long, long> sysValues, userValues;
        if (!GetLibVersionInfomation(m_systemLibPath, sysItems, sysValues, 1)) return;
        GetLibVersionInfomation(m_userLibPath, userItems, userValues, 2);
        ModifyVersionTable(sysItems, sysValues, userItems, userValues);
    } catch (const dao::DaoException&) {
        // Already shown with the database's own description; the loaders go on and report what
        // they cannot read. Letting the error out of Init would end the calling program.
    }
}

int CDrawingPara::GetLibVersionInfomation(const char* path, CStringArray& items, CArray<long, long>& values,
                                          int which) {
    dao::Database db;
    try {
        db.Open(path ? path : "");
    } catch (const dao::DaoException& e) {
        ckw::ui::MessageBox(e.description());
        throw;
    }
    dao::Recordset rs(db);
    try {
        rs.Open("select * from 版本信息表", dao::Recordset::OpenMode::Snapshot);
    } catch (const dao::DaoException& e) {
        if (e.errorCode() == 0x0C06) {
            if (which == 1) ShowFormattedMessage("数据库文件没有版本信息表(%ld), 请更新文件绘图参数.mdb", e.code());
        } else {
            ckw::ui::MessageBox(e.description());
        }
        return 0;
    }
    if (rs.GetRecordCount() > 0) rs.MoveFirst();
    for (; !rs.IsEOF(); rs.MoveNext()) {
        items.Add(CString(rs.GetFieldValue("项目").AsText()));
        values.Add(rs.GetFieldValue("数值").AsLong());
    }
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
    if (sysVersion == userVersion) return 1;
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
    bool versionTableCopied = false;
    for (const dao::TableInfo& info : sys.GetTableDefs()) {
        if (info.attributes != 0 || !info.updatable) continue;
        const std::string table = ckw::text::ToUpper(info.name);
        int userIndex = FindItem(userItems, table);
        if (userIndex < 0) {
            ckw::drawpara::CopyTableFromSourceToTarget(sys, user, table);
            if (IsVersionTableName(table)) versionTableCopied = true;
            continue;
        }
        // A table the system library does not version has nothing to upgrade to.
        int sysIndex = FindItem(sysItems, table);
        if (sysIndex < 0 || sysValues[sysIndex] == userValues[userIndex]) continue;
        if (!versionTableCopied) {
            ckw::drawpara::CopyTableFromSourceToTarget(sys, user, "版本信息表");
            versionTableCopied = true;
        }
        if (!IsVersionTableName(table)) ckw::drawpara::ModifyCommonTable(sys, user, table);
    }
    return 1;
}
