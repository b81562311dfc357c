-- The system parameter library of the drawing suite ("绘图参数.mdb").
-- The build runs this text into an SQLite file; sqlite3 reads it as well:
--   sqlite3 绘图参数.mdb < system_library.sql
-- Column types use the Jet type names the library reads them by: TEXT, LONG (32-bit
-- integer), SINGLE (32-bit float). Sizes are millimetres on the sheet; line-type patterns are
-- dash (+) and gap (-) lengths that the drawing scale multiplies.
BEGIN TRANSACTION;

CREATE TABLE 系统线型表 (ID INTEGER PRIMARY KEY, 线型名称 TEXT, 线型描述 TEXT, 线型说明 TEXT);
-- The solid line is built into the library; this row only shows that the loader skips it.
INSERT INTO 系统线型表 VALUES (1, 'SOLID', '0,0', '实线 ________');
INSERT INTO 系统线型表 VALUES (2, '虚线', '6,-2', '虚线 __ __ __ __');
INSERT INTO 系统线型表 VALUES (3, '点划线', '20,-3,2,-3', '点划线 ____ . ____ . ____');
INSERT INTO 系统线型表 VALUES (4, '双点划线', '20,-3,2,-3,2,-3', '双点划线 ____ . . ____ . . ____');
INSERT INTO 系统线型表 VALUES (5, '点线', '1,-2', '点线 . . . . . . . .');
INSERT INTO 系统线型表 VALUES (6, '轴线', '24,-3,3,-3', '轴线 ______ _ ______ _ ______');
INSERT INTO 系统线型表 VALUES (7, '长虚线', '12,-3', '长虚线 ____  ____  ____');
INSERT INTO 系统线型表 VALUES (8, '短虚线', '3,-1.5', '短虚线 _ _ _ _ _ _ _');
INSERT INTO 系统线型表 VALUES (9, '后浇带线', '10,-2,10,-2,1,-2', '后浇带线 ___ ___ . ___ ___ .');
INSERT INTO 系统线型表 VALUES (10, '折断线', '30,-1.5,1.5,-1.5', '折断线 _______ - _______ -');
INSERT INTO 系统线型表 VALUES (11, 'DASHED', '12,-6', 'Dashed __ __ __ __');
INSERT INTO 系统线型表 VALUES (12, 'HIDDEN', '6,-3', 'Hidden _ _ _ _ _ _');
INSERT INTO 系统线型表 VALUES (13, 'CENTER', '32,-6,6,-6', 'Center ____ _ ____ _ ____');
INSERT INTO 系统线型表 VALUES (14, 'PHANTOM', '32,-6,6,-6,6,-6', 'Phantom ____ _ _ ____ _ _ ____');
INSERT INTO 系统线型表 VALUES (15, 'DASHDOT', '12,-3,0.5,-3', 'Dash dot __ . __ . __ .');
INSERT INTO 系统线型表 VALUES (16, 'DOT', '0.5,-2.5', 'Dot . . . . . . . .');
INSERT INTO 系统线型表 VALUES (17, 'BORDER', '12,-3,12,-3,0.5,-3', 'Border __ __ . __ __ .');
INSERT INTO 系统线型表 VALUES (18, 'DIVIDE', '12,-3,0.5,-3,0.5,-3', 'Divide __ . . __ . . __');

CREATE TABLE 颜色表 (ID INTEGER PRIMARY KEY, 颜色名 TEXT, 颜色号 LONG, 颜色说明 TEXT);
INSERT INTO 颜色表 VALUES (1, '红', 1, 'RED');
INSERT INTO 颜色表 VALUES (2, '黄', 2, 'YELLOW');
INSERT INTO 颜色表 VALUES (3, '绿', 3, 'GREEN');
INSERT INTO 颜色表 VALUES (4, '青', 4, 'CYAN');
INSERT INTO 颜色表 VALUES (5, '蓝', 5, 'BLUE');
INSERT INTO 颜色表 VALUES (6, '洋红', 6, 'MAGENTA');
INSERT INTO 颜色表 VALUES (7, '白', 7, 'WHITE');
INSERT INTO 颜色表 VALUES (8, '深灰', 8, 'DARKGRAY');
INSERT INTO 颜色表 VALUES (9, '浅灰', 9, 'LIGHTGRAY');
INSERT INTO 颜色表 VALUES (10, '橙', 30, 'ORANGE');
INSERT INTO 颜色表 VALUES (11, '棕', 34, 'BROWN');
INSERT INTO 颜色表 VALUES (12, '草绿', 82, 'LIGHTGREEN');
INSERT INTO 颜色表 VALUES (13, '天蓝', 140, 'SKYBLUE');
INSERT INTO 颜色表 VALUES (14, '紫', 200, 'PURPLE');
INSERT INTO 颜色表 VALUES (15, '粉红', 221, 'PINK');

CREATE TABLE 系统文字标注高宽表 (ID INTEGER PRIMARY KEY, 标注内容 TEXT, 文字高度 SINGLE, 文字宽度 SINGLE, 说明 TEXT);
-- Widths follow the width factor 0.7 of the long imitation-Song lettering of drawings, 0.8
-- for numbers read at a glance (axis numbers, elevations).
INSERT INTO 系统文字标注高宽表 VALUES (1, '钢筋标注', 3.5, 2.45, '钢筋级别、直径、间距, 如 C8@200');
INSERT INTO 系统文字标注高宽表 VALUES (2, '钢筋编号', 3.5, 2.45, '钢筋编号圆圈内的数字');
INSERT INTO 系统文字标注高宽表 VALUES (3, '梁编号', 5, 3.5, '梁的编号, 如 KL1(2)');
INSERT INTO 系统文字标注高宽表 VALUES (4, '梁集中标注', 3.5, 2.45, '梁截面、箍筋、通长筋的集中标注');
INSERT INTO 系统文字标注高宽表 VALUES (5, '梁原位标注', 3.5, 2.45, '梁支座和跨中钢筋的原位标注');
INSERT INTO 系统文字标注高宽表 VALUES (6, '柱编号', 5, 3.5, '柱的编号, 如 KZ1');
INSERT INTO 系统文字标注高宽表 VALUES (7, '墙编号', 5, 3.5, '剪力墙、暗柱、连梁的编号');
INSERT INTO 系统文字标注高宽表 VALUES (8, '板编号', 4, 2.8, '楼板的编号, 如 LB1');
INSERT INTO 系统文字标注高宽表 VALUES (9, '截面尺寸', 3.5, 2.45, '构件截面尺寸, 如 300x600');
INSERT INTO 系统文字标注高宽表 VALUES (10, '轴线号', 5, 4, '定位轴线编号圆内的文字');
INSERT INTO 系统文字标注高宽表 VALUES (11, '尺寸文字', 3.5, 2.45, '尺寸标注的数字');
INSERT INTO 系统文字标注高宽表 VALUES (12, '楼层标高', 3.5, 2.8, '标高符号上的数值');
INSERT INTO 系统文字标注高宽表 VALUES (13, '图名', 7, 4.9, '图样下方的图名');
INSERT INTO 系统文字标注高宽表 VALUES (14, '比例', 5, 3.5, '图名右侧的比例, 如 1:100');
INSERT INTO 系统文字标注高宽表 VALUES (15, '说明文字', 3.5, 2.45, '设计说明和附注');
INSERT INTO 系统文字标注高宽表 VALUES (16, '说明标题', 5, 3.5, '说明的标题, 如 "说明:"');
INSERT INTO 系统文字标注高宽表 VALUES (17, '表格文字', 3.5, 2.45, '表格单元格内的文字');
INSERT INTO 系统文字标注高宽表 VALUES (18, '表头文字', 5, 3.5, '表格标题行的文字');
INSERT INTO 系统文字标注高宽表 VALUES (19, '剖切编号', 7, 4.9, '剖切符号旁的编号');
INSERT INTO 系统文字标注高宽表 VALUES (20, '详图索引', 3.5, 2.45, '索引符号和详图符号内的编号');
INSERT INTO 系统文字标注高宽表 VALUES (21, '构件名称', 5, 3.5, '构件详图上方的名称');
INSERT INTO 系统文字标注高宽表 VALUES (22, '图框文字', 3.5, 2.45, '图签栏内填写的文字');

CREATE TABLE 系统尺寸标注表 (ID INTEGER PRIMARY KEY, 内容 TEXT, 数值 SINGLE, 说明 TEXT);
INSERT INTO 系统尺寸标注表 VALUES (1, '尺寸线超出', 2, '尺寸界线超出尺寸线的长度');
INSERT INTO 系统尺寸标注表 VALUES (2, '起点偏移', 2, '尺寸界线起点离开被注图样的距离');
INSERT INTO 系统尺寸标注表 VALUES (3, '箭头大小', 2, '尺寸起止符(45度中粗短斜线)的长度');
INSERT INTO 系统尺寸标注表 VALUES (4, '文字高度', 3.5, '尺寸数字的高度');
INSERT INTO 系统尺寸标注表 VALUES (5, '文字宽度系数', 0.7, '尺寸数字的宽高比');
INSERT INTO 系统尺寸标注表 VALUES (6, '文字偏移', 1, '尺寸数字与尺寸线的距离');
INSERT INTO 系统尺寸标注表 VALUES (7, '尺寸界线间距', 7, '平行排列的尺寸线之间的距离');
INSERT INTO 系统尺寸标注表 VALUES (8, '第一道尺寸线距离', 10, '最内一道尺寸线与图样轮廓的距离');
INSERT INTO 系统尺寸标注表 VALUES (9, '轴线圆直径', 8, '定位轴线编号圆的直径');
INSERT INTO 系统尺寸标注表 VALUES (10, '轴线伸出长度', 3, '轴线伸出最外一道尺寸线的长度');
INSERT INTO 系统尺寸标注表 VALUES (11, '标高符号高度', 3, '标高符号等腰直角三角形的高');
INSERT INTO 系统尺寸标注表 VALUES (12, '剖切线长度', 8, '剖切位置线的长度');
INSERT INTO 系统尺寸标注表 VALUES (13, '索引圆直径', 10, '索引符号圆的直径');
INSERT INTO 系统尺寸标注表 VALUES (14, '钢筋编号圆直径', 6, '钢筋编号圆的直径');

CREATE TABLE 系统构件图层表 (ID INTEGER PRIMARY KEY, 构件类型 TEXT, 层名 TEXT, 层号 TEXT, 颜色 TEXT, 线型 TEXT, 线宽 SINGLE);
-- 层名 is the English layer name; with Chinese layer names a drawing takes 构件类型 instead.
INSERT INTO 系统构件图层表 VALUES (1, '轴线', 'AXIS', '1', '红', '点划线', 0.18);
INSERT INTO 系统构件图层表 VALUES (2, '轴线号', 'AXIS-NUM', '2', '7', '实线', 0.25);
INSERT INTO 系统构件图层表 VALUES (3, '轴线尺寸', 'AXIS-DIM', '3', 'GREEN', '实线', 0.18);
INSERT INTO 系统构件图层表 VALUES (4, '尺寸标注', 'DIM', '4', '绿', '实线', 0.18);
INSERT INTO 系统构件图层表 VALUES (5, '文字', 'TEXT', '5', '7', '实线', 0.25);
INSERT INTO 系统构件图层表 VALUES (6, '说明文字', 'NOTE', '6', 'WHITE', '实线', 0.25);
INSERT INTO 系统构件图层表 VALUES (7, '图框', 'FRAME', '7', '7', '实线', 0.7);
INSERT INTO 系统构件图层表 VALUES (8, '图签', 'TITLE', '8', '白', '实线', 0.35);
INSERT INTO 系统构件图层表 VALUES (9, '梁', 'BEAM', '10', '黄', '实线', 0.35);
INSERT INTO 系统构件图层表 VALUES (10, '梁虚线', 'BEAM-HIDE', '11', 'YELLOW', '虚线', 0.35);
INSERT INTO 系统构件图层表 VALUES (11, '梁编号', 'BEAM-NUM', '12', '7', '实线', 0.25);
INSERT INTO 系统构件图层表 VALUES (12, '梁集中标注', 'BEAM-TEXT', '13', '绿', '实线', 0.25);
INSERT INTO 系统构件图层表 VALUES (13, '梁原位标注', 'BEAM-TEXT-LOC', '14', '3', '实线', 0.25);
INSERT INTO 系统构件图层表 VALUES (14, '梁纵筋', 'BEAM-RBAR', '15', '红', '实线', 0.5);
INSERT INTO 系统构件图层表 VALUES (15, '梁箍筋', 'BEAM-STIR', '16', '1', '实线', 0.35);
INSERT INTO 系统构件图层表 VALUES (16, '圈梁', 'RING-BEAM', '17', '黄', '实线', 0.35);
INSERT INTO 系统构件图层表 VALUES (17, '过梁', 'LINTEL', '18', '2', '实线', 0.35);
INSERT INTO 系统构件图层表 VALUES (18, '柱', 'COLU', '20', '洋红', '实线', 0.5);
INSERT INTO 系统构件图层表 VALUES (19, '柱编号', 'COLU-NUM', '21', '7', '实线', 0.25);
INSERT INTO 系统构件图层表 VALUES (20, '柱纵筋', 'COLU-RBAR', '22', '红', '实线', 0.5);
INSERT INTO 系统构件图层表 VALUES (21, '柱箍筋', 'COLU-STIR', '23', 'RED', '实线', 0.35);
INSERT INTO 系统构件图层表 VALUES (22, '柱填充', 'COLU-HATCH', '24', '8', '实线', 0.13);
INSERT INTO 系统构件图层表 VALUES (23, '构造柱', 'CONS-COLU', '25', '6', '实线', 0.35);
INSERT INTO 系统构件图层表 VALUES (24, '剪力墙', 'WALL', '30', '青', '实线', 0.5);
INSERT INTO 系统构件图层表 VALUES (25, '墙虚线', 'WALL-HIDE', '31', 'CYAN', '虚线', 0.35);
INSERT INTO 系统构件图层表 VALUES (26, '墙编号', 'WALL-NUM', '32', '7', '实线', 0.25);
INSERT INTO 系统构件图层表 VALUES (27, '墙水平分布筋', 'WALL-HBAR', '33', '红', '实线', 0.35);
INSERT INTO 系统构件图层表 VALUES (28, '墙竖向分布筋', 'WALL-VBAR', '34', '红', '实线', 0.35);
INSERT INTO 系统构件图层表 VALUES (29, '暗柱', 'WALL-COLU', '35', '6', '实线', 0.5);
INSERT INTO 系统构件图层表 VALUES (30, '连梁', 'WALL-BEAM', '36', '黄', '实线', 0.35);
INSERT INTO 系统构件图层表 VALUES (31, '砌体墙', 'MASONRY', '37', '9', '实线', 0.25);
INSERT INTO 系统构件图层表 VALUES (32, '楼板', 'SLAB', '40', '7', '实线', 0.25);
INSERT INTO 系统构件图层表 VALUES (33, '板编号', 'SLAB-NUM', '41', '7', '实线', 0.25);
INSERT INTO 系统构件图层表 VALUES (34, '板底筋', 'SLAB-BBAR', '42', '红', '实线', 0.5);
INSERT INTO 系统构件图层表 VALUES (35, '板面筋', 'SLAB-TBAR', '43', 'MAGENTA', '实线', 0.5);
INSERT INTO 系统构件图层表 VALUES (36, '板分布筋', 'SLAB-DBAR', '44', '1', '虚线', 0.25);
INSERT INTO 系统构件图层表 VALUES (37, '板厚标注', 'SLAB-THK', '45', '绿', '实线', 0.25);
INSERT INTO 系统构件图层表 VALUES (38, '洞口', 'HOLE', '50', '7', '实线', 0.25);
INSERT INTO 系统构件图层表 VALUES (39, '洞口加筋', 'HOLE-RBAR', '51', '红', '实线', 0.5);
INSERT INTO 系统构件图层表 VALUES (40, '楼梯', 'STAIR', '55', '4', '实线', 0.35);
INSERT INTO 系统构件图层表 VALUES (41, '楼梯钢筋', 'STAIR-RBAR', '56', '红', '实线', 0.5);
INSERT INTO 系统构件图层表 VALUES (42, '基础', 'FOUN', '60', '蓝', '实线', 0.5);
INSERT INTO 系统构件图层表 VALUES (43, '基础虚线', 'FOUN-HIDE', '61', 'BLUE', '虚线', 0.35);
INSERT INTO 系统构件图层表 VALUES (44, '承台', 'PILE-CAP', '62', '5', '实线', 0.5);
INSERT INTO 系统构件图层表 VALUES (45, '桩', 'PILE', '63', '洋红', '实线', 0.35);
INSERT INTO 系统构件图层表 VALUES (46, '基础梁', 'FOUN-BEAM', '64', '黄', '实线', 0.5);
INSERT INTO 系统构件图层表 VALUES (47, '基础钢筋', 'FOUN-RBAR', '65', '红', '实线', 0.5);
INSERT INTO 系统构件图层表 VALUES (48, '钢梁', 'STEEL-BEAM', '70', '绿', '实线', 0.35);
INSERT INTO 系统构件图层表 VALUES (49, '钢柱', 'STEEL-COLU', '71', '6', '实线', 0.5);
INSERT INTO 系统构件图层表 VALUES (50, '钢支撑', 'STEEL-BRAC', '72', '青', 'CENTER', 0.35);
INSERT INTO 系统构件图层表 VALUES (51, '檩条', 'PURLIN', '73', '2', 'DASHED', 0.25);
INSERT INTO 系统构件图层表 VALUES (52, '钢结构节点', 'STEEL-JOINT', '74', '7', '实线', 0.35);
INSERT INTO 系统构件图层表 VALUES (53, '螺栓', 'BOLT', '75', '1', '实线', 0.25);
INSERT INTO 系统构件图层表 VALUES (54, '焊缝', 'WELD', '76', 'RED', '实线', 0.25);
INSERT INTO 系统构件图层表 VALUES (55, '后浇带', 'POUR-STRIP', '80', '洋红', '后浇带线', 0.35);
INSERT INTO 系统构件图层表 VALUES (56, '剖切符号', 'SECTION', '85', '7', '实线', 0.5);
INSERT INTO 系统构件图层表 VALUES (57, '索引符号', 'INDEX', '86', '7', '实线', 0.25);
INSERT INTO 系统构件图层表 VALUES (58, '标高', 'ELEV', '87', '绿', '实线', 0.25);
INSERT INTO 系统构件图层表 VALUES (59, '表格', 'TABLE', '90', '7', '实线', 0.25);
INSERT INTO 系统构件图层表 VALUES (60, '填充', 'HATCH', '91', '8', '实线', 0.13);
INSERT INTO 系统构件图层表 VALUES (61, '不可见构件', 'HIDDEN', '92', '8', 'HIDDEN', 0.25);
INSERT INTO 系统构件图层表 VALUES (62, '折断线', 'BREAK', '93', '7', '折断线', 0.25);
INSERT INTO 系统构件图层表 VALUES (63, '辅助线', 'AUX', '99', '9', '点线', 0.13);

CREATE TABLE 用户参数表 (ID INTEGER PRIMARY KEY, 内容 TEXT, 数值 TEXT, 类型 TEXT, 说明 TEXT);
INSERT INTO 用户参数表 VALUES (1, '梁保护层厚度', '20', '整数', '梁最外层钢筋的混凝土保护层厚度(mm)');
INSERT INTO 用户参数表 VALUES (2, '柱保护层厚度', '20', '整数', '柱最外层钢筋的混凝土保护层厚度(mm)');
INSERT INTO 用户参数表 VALUES (3, '板保护层厚度', '15', '整数', '板最外层钢筋的混凝土保护层厚度(mm)');
INSERT INTO 用户参数表 VALUES (4, '基础保护层厚度', '40', '整数', '有垫层时基础底面钢筋的保护层厚度(mm)');
INSERT INTO 用户参数表 VALUES (5, '钢筋等级', 'HRB400', '文本', '受力钢筋的牌号');
INSERT INTO 用户参数表 VALUES (6, '箍筋等级', 'HPB300', '文本', '箍筋的牌号');
INSERT INTO 用户参数表 VALUES (7, '混凝土强度等级', 'C30', '文本', '梁板柱的混凝土强度等级');
INSERT INTO 用户参数表 VALUES (8, '抗震等级', '3', '整数', '框架的抗震等级(一至四级)');
INSERT INTO 用户参数表 VALUES (9, '钢筋直径系列', '6,8,10,12,14,16,18,20,22,25,28,32', '文本', '选筋时可用的钢筋直径(mm)');
INSERT INTO 用户参数表 VALUES (10, '最小配筋率', '0.2', '实数', '受弯构件纵向受拉钢筋的最小配筋率(%)');

CREATE TABLE 版本信息表 (ID INTEGER PRIMARY KEY, 项目 TEXT, 数值 LONG);
INSERT INTO 版本信息表 VALUES (1, '系统线型表', 5);
INSERT INTO 版本信息表 VALUES (2, '颜色表', 2);
INSERT INTO 版本信息表 VALUES (3, '系统文字标注高宽表', 4);
INSERT INTO 版本信息表 VALUES (4, '系统尺寸标注表', 3);
INSERT INTO 版本信息表 VALUES (5, '系统构件图层表', 7);
INSERT INTO 版本信息表 VALUES (6, '用户参数表', 2);
INSERT INTO 版本信息表 VALUES (7, '版本信息表', 20261201);

COMMIT;
