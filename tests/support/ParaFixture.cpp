#include "support/ParaFixture.h"

namespace ckw::test {

std::string SmallSystemLibrarySql() {
    return ckw::text::U8(
        u8R"sql(
CREATE TABLE 系统线型表 (ID INTEGER PRIMARY KEY, 线型名称 TEXT, 线型描述 TEXT, 线型说明 TEXT);
INSERT INTO 系统线型表 (线型名称, 线型描述, 线型说明) VALUES
  ('虚线', '6,-3', '虚线 __ __ __'),
  ('solid', '0,0', 'the table''s own solid line'),
  ('点划线', '12,-3,2,-3,', '点划线 __ . __ .'),
  ('实线', '0,0', '实线'),
  ('DASHED', '6,-3', 'copy of 虚线 under another name'),
  ('长线', '1,2,3,4,5,6,7,8,9,10', 'ten dashes');
CREATE TABLE 颜色表 (ID INTEGER PRIMARY KEY, 颜色名 TEXT, 颜色号 LONG, 颜色说明 TEXT);
INSERT INTO 颜色表 (颜色名, 颜色号, 颜色说明) VALUES
  ('红', 1, 'Red'), ('黄', 2, 'Yellow'), ('白', 7, 'White'), ('Red', 99, 'a later red');
CREATE TABLE 系统文字标注高宽表 (ID INTEGER PRIMARY KEY, 标注内容 TEXT, 文字高度 SINGLE, 文字宽度 SINGLE, 说明 TEXT);
INSERT INTO 系统文字标注高宽表 (标注内容, 文字高度, 文字宽度, 说明) VALUES
  ('钢筋标注', 3.5, 2.8, 'bar marks'), ('Beam No', 5, 3.5, 'beam numbers'), ('钢筋标注', 9, 9, 'shadowed');
CREATE TABLE 系统尺寸标注表 (ID INTEGER PRIMARY KEY, 内容 TEXT, 数值 SINGLE, 说明 TEXT);
INSERT INTO 系统尺寸标注表 (内容, 数值, 说明) VALUES ('箭头大小', 1.5, 'arrow'), ('文字偏移', 0.8, 'text gap');
CREATE TABLE 系统构件图层表 (ID INTEGER PRIMARY KEY, 构件类型 TEXT, 层名 TEXT, 层号 TEXT, 颜色 TEXT, 线型 TEXT, 线宽 SINGLE);
INSERT INTO 系统构件图层表 (构件类型, 层名, 层号, 颜色, 线型, 线宽) VALUES
  ('梁', '梁', '3', 'red', '虚线', 0.35),
  ('Column', '柱', '4', 'yellow ', 'Solid', 0.5),
  ('轴线', '轴线', '1', '7', '点划线', 0.18),
  ('图框', '图框', 'x9', '绿', '不存在', 0.7);
CREATE TABLE 用户参数表 (ID INTEGER PRIMARY KEY, 内容 TEXT, 数值 TEXT, 类型 TEXT, 说明 TEXT);
INSERT INTO 用户参数表 (内容, 数值, 类型, 说明) VALUES ('保护层厚度', '25', 'mm', 'cover'), ('钢筋等级', 'HRB400', '文字', 'grade');
CREATE TABLE 版本信息表 (ID INTEGER PRIMARY KEY, 项目 TEXT, 数值 LONG);
INSERT INTO 版本信息表 (项目, 数值) VALUES
  ('系统线型表', 1), ('颜色表', 1), ('系统文字标注高宽表', 1), ('系统尺寸标注表', 1), ('系统构件图层表', 1),
  ('用户参数表', 1), ('版本信息表', 20260101);
)sql");
}

void ParaFixture::SetUp() {
    m_cfg = m_home.root() / ckw::text::U8(u8"配置");
    std::filesystem::create_directories(m_cfg);
    ckw::registry::Current().SetString(ckw::registry::Hive::LocalMachine, "Software\\KELO\\MAIN\\PATH", "CFG",
                                       CfgGbk());
    ckw::ui::SetCurrent(&m_ui);
    m_exDrawingPara.Close();
}

void ParaFixture::TearDown() {
    m_exDrawingPara.Close();
    ckw::ui::SetCurrent(nullptr);
    ckw::dao::SetStatementFailureHook({});
}

void ParaFixture::WriteSystemLibrary(const std::string& sqlUtf8) {
    ckw::dao::CreateDatabaseFromSql(sqlUtf8, SystemLib().string());
}

void ParaFixture::WriteUserLibrary(const std::string& sqlUtf8) {
    ckw::dao::CreateDatabaseFromSql(sqlUtf8, UserLib().string());
}

void ParaFixture::Exec(const std::filesystem::path& library, const std::string& sqlGbk) {
    ckw::dao::Database db;
    db.Open(ckw::text::Utf8ToGbk(library.string()));
    db.Execute(sqlGbk);
}

std::string ParaFixture::Scalar(const std::filesystem::path& library, const std::string& sqlGbk) {
    ckw::dao::Database db;
    db.Open(ckw::text::Utf8ToGbk(library.string()));
    ckw::dao::Recordset rs(db);
    rs.Open(sqlGbk);
    if (rs.GetRecordCount() == 0) return {};
    rs.MoveFirst();
    return rs.GetFieldValue(0).AsText();
}

}  // namespace ckw::test

namespace ckw::test {

std::vector<std::string> ParaFixture::Messages() const { return m_ui.texts(); }

bool ParaFixture::Shown(const std::string& gbk) const {
    for (const auto& text : m_ui.texts())
        if (text == gbk) return true;
    return false;
}

}  // namespace ckw::test
