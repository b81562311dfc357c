// Loading the parameter tables of the user library into the lists of m_exDrawingPara.
#include <filesystem>
#include <functional>
#include <set>
#include <string>

#include <ckw/DrawingPara.h>
#include "dao/Dao.h"
#include "base/GbkText.h"
#include "drawpara/LibraryStep.h"
#include "platform/Ui.h"
#include "drawpara/ParaIndex.h"
#include "drawpara/ParaMessages.h"
#include "drawpara/SolidLine.h"

namespace dao = ckw::dao;
using ckw::drawpara::ShowMessage;

namespace ckw::drawpara {

namespace {
// Loads in progress on this thread (they may nest) and the messages they showed.
thread_local int t_loads = 0;
thread_local std::set<std::string> t_shown;
}  // namespace

OneMessagePerLoad::OneMessagePerLoad() { ++t_loads; }

OneMessagePerLoad::~OneMessagePerLoad() {
    if (--t_loads == 0) t_shown.clear();
}

void OneMessagePerLoad::Show(const std::string& text) {
    if (t_loads > 0 && !t_shown.insert(text).second) return;
    ckw::ui::MessageBox(text.c_str());
}

}  // namespace ckw::drawpara

namespace {

using ckw::drawpara::OneMessagePerLoad;

// The common frame of every table read: the user library must exist; the query is opened and its
// rows handed to `rows`. A database error is shown with the engine's own description, unless
// `onError` takes it. Returns false when nothing was read; the caller's list is then untouched,
// because readers fill a new list and swap it in only when the whole table was read.
bool ReadRows(const CString& libPath, const std::function<void(dao::Recordset&)>& open,
              const std::function<void(dao::Recordset&)>& rows,
              const std::function<bool(const dao::DaoException&)>& onError = {}) {
    if (!std::filesystem::exists(ckw::text::GbkToUtf8(libPath.str()))) {
        OneMessagePerLoad::Show("没有找到系统文件" + libPath.str() + "!!");
        return false;
    }
    dao::Database db;
    if (db.IsOpen()) {
        ShowMessage("OPEN ERROR:数据库已经打开！！");
        return false;
    }
    try {
        db.Open(libPath.str());
        dao::Recordset rs(db);
        open(rs);
        if (rs.GetRecordCount() > 0) rs.MoveFirst();
        rows(rs);
        rs.Close();
    } catch (const dao::DaoException& e) {
        if (!onError || !onError(e)) OneMessagePerLoad::Show(e.description());
        return false;
    }
    return true;
}

std::function<void(dao::Recordset&)> Query(const char* sql) {
    return [sql](dao::Recordset& rs) { rs.Open(sql, dao::Recordset::OpenMode::Snapshot); };
}

std::string Text(const dao::Recordset& rs, const char* field) { return rs.GetFieldValue(field).AsText(); }

}  // namespace

void CDrawingPara::ReadLineType_FromDbLib() {
    EnsureLoaded();
    List<CkwLineTypeDef_> list;
    // The built-in solid line is always entry 1; the table's own solid rows are skipped.
    list.push_back(std::make_unique<CkwLineTypeDef_>(ckw::drawpara::SolidLineType()));
    bool read = ReadRows(m_userLibPath, Query("select * from 系统线型表"), [&](dao::Recordset& rs) {
        for (; !rs.IsEOF(); rs.MoveNext()) {
            std::string name = Text(rs, "线型名称");
            if (ckw::drawpara::IsSolidLineTypeName(ckw::text::ToUpper(name))) continue;
            auto rec = std::make_unique<CkwLineTypeDef_>();
            rec->SetLineTypeName(name.c_str());
            rec->SetLineTypeData(Text(rs, "线型描述").c_str());
            rec->SetLineTypeDes(Text(rs, "线型说明").c_str());
            list.push_back(std::move(rec));
        }
    });
    if (!read) return;
    m_lineTypes = std::move(list);
    RebuildIndex();
}

void CDrawingPara::ReadColorDef_FromDbLib() {
    EnsureLoaded();
    List<CColorDef_> list;
    bool read = ReadRows(m_userLibPath, Query("select * from 颜色表"), [&](dao::Recordset& rs) {
        for (; !rs.IsEOF(); rs.MoveNext()) {
            auto rec = std::make_unique<CColorDef_>();
            rec->SetColorName(Text(rs, "颜色名").c_str());
            rec->SetColorValue(rs.GetFieldValue("颜色号").AsLong());
            rec->SetColorDes(Text(rs, "颜色说明").c_str());
            list.push_back(std::move(rec));
        }
    });
    if (!read) return;
    m_colors = std::move(list);
    RebuildIndex();
}

void CDrawingPara::ReadTextDef_FromDbLib() {
    EnsureLoaded();
    List<CkwTextDef_> texts;
    List<CkwDimDef_> dims;
    // One opening of the library, two queries in turn.
    bool read = ReadRows(m_userLibPath, Query("select * from 系统文字标注高宽表"), [&](dao::Recordset& rs) {
        for (; !rs.IsEOF(); rs.MoveNext()) {
            auto rec = std::make_unique<CkwTextDef_>();
            rec->SetTextType(Text(rs, "标注内容").c_str());
            rec->SetTextHeight(rs.GetFieldValue("文字高度").AsSingle());
            rec->SetTextWidth(rs.GetFieldValue("文字宽度").AsSingle());
            texts.push_back(std::move(rec));
        }
        rs.Close();
        rs.Open("select * from 系统尺寸标注表", dao::Recordset::OpenMode::Snapshot);
        if (rs.GetRecordCount() > 0) rs.MoveFirst();
        for (; !rs.IsEOF(); rs.MoveNext()) {
            auto rec = std::make_unique<CkwDimDef_>();
            rec->SetTextType(Text(rs, "内容").c_str());
            rec->SetTextValue(rs.GetFieldValue("数值").AsSingle());
            rec->SetTextDes(Text(rs, "说明").c_str());
            dims.push_back(std::move(rec));
        }
    });
    if (!read) return;
    m_texts = std::move(texts);
    m_dims = std::move(dims);
    RebuildIndex();
}

void CDrawingPara::ReadLayerInfo_FromDbLib() {
    EnsureLoaded();
    List<CkwLayerDef_> list;
    bool read = ReadRows(m_userLibPath, Query("select * from 系统构件图层表"), [&](dao::Recordset& rs) {
        for (; !rs.IsEOF(); rs.MoveNext()) {
            auto rec = std::make_unique<CkwLayerDef_>();
            rec->SetComponentKind(Text(rs, "构件类型").c_str());
            rec->SetLayerName(Text(rs, "层名").c_str());
            rec->SetLayerNumber(Text(rs, "层号").c_str());
            rec->SetColor(Text(rs, "颜色").c_str());
            rec->SetLineType(Text(rs, "线型").c_str());
            rec->SetLineWidth(rs.GetFieldValue("线宽").AsSingle());
            list.push_back(std::move(rec));
        }
    });
    if (!read) return;
    m_layers = std::move(list);
    RebuildIndex();
}

void CDrawingPara::ReadUserParaDef_FromDbLib(const char* table) {
    List<CkwUserParaDef_> list;
    std::string name = ckw::drawpara::UserParaTableName(table ? table : "");
    // The table name comes from the caller: it is quoted as an identifier, never spliced into SQL.
    auto open = [&](dao::Recordset& rs) { rs.OpenTable(name, dao::Recordset::OpenMode::Snapshot); };
    auto missingTable = [](const dao::DaoException& e) {
        if (e.errorCode() != 0x0C06) return false;
        OneMessagePerLoad::Show("请更新数据库文件 绘图参数.mdb!");
        return true;
    };
    bool read = ReadRows(
        m_userLibPath, open,
        [&](dao::Recordset& rs) {
            for (; !rs.IsEOF(); rs.MoveNext()) {
                auto rec = std::make_unique<CkwUserParaDef_>();
                rec->SetParaType(Text(rs, "内容").c_str());
                rec->SetParaValue(Text(rs, "数值").c_str());
                rec->SetParaValKind(Text(rs, "类型").c_str());
                rec->SetParaDes(Text(rs, "说明").c_str());
                list.push_back(std::move(rec));
            }
        },
        missingTable);
    if (!read) return;
    m_userParas = std::move(list);
}
