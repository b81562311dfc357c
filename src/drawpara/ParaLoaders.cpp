// Loading the parameter tables of the user library into the lists of m_exDrawingPara.
#include <filesystem>
#include <functional>
#include <set>
#include <string>

#include <ckw/DrawingPara.h>
#include "dao/Dao.h"
#include "base/GbkText.h"
#include "drawpara/ParaRows.h"
#include "drawpara/LibraryStep.h"
#include "platform/Ui.h"
#include "drawpara/ParaIndex.h"
#include "drawpara/ParaMessages.h"
#include "drawpara/SharedLibraryRead.h"
#include "drawpara/SolidLine.h"

namespace dao = ckw::dao;
using ckw::drawpara::ShowMessage;

namespace ckw::drawpara {

namespace {
// Loads in progress on this thread (they may nest) and the messages they showed.
thread_local int t_loads = 0;
thread_local std::set<std::string> t_shown;
}  // namespace

namespace {
thread_local SharedLibraryRead* t_sharedRead = nullptr;
}  // namespace

SharedLibraryRead::SharedLibraryRead(const CString& libPathGbk) : m_outer(t_sharedRead) {
    if (!std::filesystem::exists(ckw::text::GbkToUtf8(libPathGbk.str()))) return;
    try {
        auto db = std::make_unique<dao::Database>();
        db->Open(libPathGbk.str());
        db->Execute("BEGIN");
        m_db = std::move(db);
        t_sharedRead = this;
    } catch (const dao::DaoException&) {
        // Each loader opens the library itself and reports what it finds.
    }
}

SharedLibraryRead::~SharedLibraryRead() {
    if (!m_db) return;
    t_sharedRead = m_outer;
    try {
        m_db->Execute("COMMIT");  // nothing was written: ends the read and its lock
    } catch (const dao::DaoException&) {
        // Closing the connection ends the transaction as well.
    }
}

dao::Database* SharedLibraryRead::For(const CString& libPathGbk) {
    return t_sharedRead && t_sharedRead->m_db->path() == libPathGbk.str() ? t_sharedRead->m_db.get() : nullptr;
}

OneMessagePerLoad::OneMessagePerLoad() { ++t_loads; }

OneMessagePerLoad::~OneMessagePerLoad() {
    if (--t_loads == 0) t_shown.clear();
}

void OneMessagePerLoad::Show(const std::string& text) {
    if (t_loads > 0 && !t_shown.insert(text).second) return;
    ckw::ui::ShowError(text);
}

}  // namespace ckw::drawpara

namespace {

using ckw::drawpara::OneMessagePerLoad;
using ckw::drawpara::SharedLibraryRead;

// The common frame of every table read: the user library must exist; the query is opened and its
// rows handed to `rows`. A database error is shown with the engine's own description, unless
// `onError` takes it. Returns false when nothing was read; the caller's list is then untouched,
// because readers fill a new list and swap it in only when the whole table was read.
bool ReadRows(const CString& libPath, const std::function<void(dao::Recordset&)>& open,
              const std::function<void(dao::Recordset&)>& rows,
              const std::function<bool(const dao::DaoException&)>& onError = {}) {
    dao::Database* shared = ckw::drawpara::SharedLibraryRead::For(libPath);
    if (!shared && !std::filesystem::exists(ckw::text::GbkToUtf8(libPath.str()))) {
        OneMessagePerLoad::Show("没有找到系统文件" + libPath.str() + "!!");
        return false;
    }
    dao::Database own;
    if (own.IsOpen()) {
        ShowMessage("OPEN ERROR:数据库已经打开！！");
        return false;
    }
    try {
        if (!shared) own.Open(libPath.str());
        dao::Recordset rs(shared ? *shared : own);
        open(rs);
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

}  // namespace

void CDrawingPara::ReadLineType_FromDbLib() {
    EnsureLoaded();
    List<CkwLineTypeDef_> list;
    // The built-in solid line is always entry 1; the table's own solid rows are skipped.
    list.push_back(std::make_unique<CkwLineTypeDef_>(ckw::drawpara::SolidLineType()));
    bool read = ReadRows(m_userLibPath, Query("select * from 系统线型表"), [&](dao::Recordset& rs) {
        dao::ForEachRow(rs, [&](const dao::Recordset& row) {
            CkwLineTypeDef_ record = ckw::drawpara::LineTypeFromRow(row);
            if (ckw::drawpara::IsSolidLineTypeName(ckw::text::ToUpper(record.GetLineTypeName()))) return;
            list.push_back(std::make_unique<CkwLineTypeDef_>(std::move(record)));
        });
    });
    if (!read) return;
    m_lineTypes = std::move(list);
    RebuildIndex();
}

void CDrawingPara::ReadColorDef_FromDbLib() {
    EnsureLoaded();
    List<CColorDef_> list;
    bool read = ReadRows(m_userLibPath, Query("select * from 颜色表"), [&](dao::Recordset& rs) {
        dao::ForEachRow(rs, [&](const dao::Recordset& row) {
            list.push_back(std::make_unique<CColorDef_>(ckw::drawpara::ColourFromRow(row)));
        });
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
        dao::ForEachRow(rs, [&](const dao::Recordset& row) {
            CkwTextDef_ record = ckw::drawpara::TextSizeFromRow(row);
            // The library's list of text sizes carries no description; the settings dialog shows it.
            record.SetTextDes("");
            texts.push_back(std::make_unique<CkwTextDef_>(std::move(record)));
        });
        rs.Close();
        rs.Open("select * from 系统尺寸标注表", dao::Recordset::OpenMode::Snapshot);
        dao::ForEachRow(rs, [&](const dao::Recordset& row) {
            dims.push_back(std::make_unique<CkwDimDef_>(ckw::drawpara::DimensionFromRow(row)));
        });
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
        dao::ForEachRow(rs, [&](const dao::Recordset& row) {
            list.push_back(std::make_unique<CkwLayerDef_>(ckw::drawpara::LayerFromRow(row)));
        });
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
            dao::ForEachRow(rs, [&](const dao::Recordset& row) {
                list.push_back(std::make_unique<CkwUserParaDef_>(ckw::drawpara::UserParameterFromRow(row)));
            });
        },
        missingTable);
    if (!read) return;
    m_userParas = std::move(list);
}
