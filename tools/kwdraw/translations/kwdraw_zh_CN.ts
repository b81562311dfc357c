<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="zh_CN">
<context>
    <name>SnapCursor</name>
    <message>
        <source>Endpoint</source>
        <translation>端点</translation>
    </message>
    <message>
        <source>Midpoint</source>
        <translation>中点</translation>
    </message>
    <message>
        <source>Centre</source>
        <translation>圆心</translation>
    </message>
    <message>
        <source>Intersection</source>
        <translation>交点</translation>
    </message>
    <message>
        <source>Perpendicular</source>
        <translation>垂足</translation>
    </message>
    <message>
        <source>Nearest</source>
        <translation>最近点</translation>
    </message>
    <message>
        <source>Insertion point</source>
        <translation>插入点</translation>
    </message>
    <message>
        <source>Node</source>
        <translation>节点</translation>
    </message>
    <message>
        <source>None</source>
        <translation>无</translation>
    </message>
</context>
<context>
    <name>kwdraw::ColourPicker</name>
    <message>
        <source>Layer colour</source>
        <translation>图层颜色</translation>
    </message>
</context>
<context>
    <name>kwdraw::DrawingView</name>
    <message>
        <source>Zoom window: drag, or click the first corner</source>
        <translation>窗口缩放：拖动，或点取第一角点</translation>
    </message>
    <message>
        <source>Loading the drawing: %1%</source>
        <translation>正在读入图形：%1%</translation>
    </message>
    <message>
        <source>Zoom window: click the other corner</source>
        <translation>窗口缩放：点取另一角点</translation>
    </message>
</context>
<context>
    <name>kwdraw::FloorTableDialog</name>
    <message>
        <source>Floor elevation table</source>
        <translation>楼层标高表</translation>
    </message>
    <message>
        <source>Elevation (m)</source>
        <translation>标高 (m)</translation>
    </message>
    <message>
        <source>Storey height (mm)</source>
        <translation>层高 (mm)</translation>
    </message>
    <message>
        <source>Add floor</source>
        <translation>增加楼层</translation>
    </message>
    <message>
        <source>Remove floor</source>
        <translation>删除楼层</translation>
    </message>
    <message>
        <source>Floor %1, %2: %3</source>
        <translation>第 %1 层，%2：%3</translation>
    </message>
    <message>
        <source>The table needs at least one floor.</source>
        <translation>表中至少要有一个楼层。</translation>
    </message>
</context>
<context>
    <name>kwdraw::LayerEditor</name>
    <message>
        <source>Layer</source>
        <translation>图层</translation>
    </message>
    <message>
        <source>Colour</source>
        <translation>颜色</translation>
    </message>
    <message>
        <source>Line type</source>
        <translation>线型</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>线宽</translation>
    </message>
    <message>
        <source>Double-click to choose the colour</source>
        <translation>双击选择颜色</translation>
    </message>
    <message>
        <source>Layer %1</source>
        <translation>图层 %1</translation>
    </message>
</context>
<context>
    <name>kwdraw::MainWindow</name>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>%1 has been changed or removed by another program since it was read here.</source>
        <translation>%1 读入后已被其他程序修改或删除。</translation>
    </message>
    <message>
        <source>Save this drawing under another name, reload the file (the changes made here are dropped), or overwrite what the other program wrote?</source>
        <translation>将本图另存为其他文件名、重新读入该文件（放弃此处所做的修改），还是覆盖其他程序写入的内容？</translation>
    </message>
    <message>
        <source>Save as...</source>
        <translation>另存为...</translation>
    </message>
    <message>
        <source>Reload</source>
        <translation>重新读入</translation>
    </message>
    <message>
        <source>Overwrite</source>
        <translation>覆盖</translation>
    </message>
    <message>
        <source>Save drawing as</source>
        <translation>图形另存为</translation>
    </message>
    <message>
        <source>Drawings (*.T)</source>
        <translation>图形 (*.T)</translation>
    </message>
    <message>
        <source>&amp;Line</source>
        <translation>直线(&amp;L)</translation>
    </message>
    <message>
        <source>&amp;Polyline</source>
        <translation>多段线(&amp;P)</translation>
    </message>
    <message>
        <source>&amp;Circle</source>
        <translation>圆(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Arc</source>
        <translation>圆弧(&amp;A)</translation>
    </message>
    <message>
        <source>&amp;Text</source>
        <translation>文字(&amp;T)</translation>
    </message>
    <message>
        <source>Linear &amp;dimension</source>
        <translation>线性标注(&amp;D)</translation>
    </message>
    <message>
        <source>Ali&amp;gned dimension</source>
        <translation>对齐标注(&amp;G)</translation>
    </message>
    <message>
        <source>&amp;Measure</source>
        <translation>测量(&amp;M)</translation>
    </message>
    <message>
        <source>&amp;Distance and angle</source>
        <translation>距离和角度(&amp;D)</translation>
    </message>
    <message>
        <source>&amp;Area and perimeter</source>
        <translation>面积和周长(&amp;A)</translation>
    </message>
    <message>
        <source>Open an earlier drawing</source>
        <translation>打开旧图</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>文件夹</translation>
    </message>
    <message>
        <source>Drawing name</source>
        <translation>图名</translation>
    </message>
    <message>
        <source>Kind</source>
        <translation>类别</translation>
    </message>
    <message>
        <source>Paper space (%1)</source>
        <translation>图纸空间模式（%1）</translation>
    </message>
    <message>
        <source>Model space (%1)</source>
        <translation>模型空间模式（%1）</translation>
    </message>
    <message>
        <source>Floor (999: every floor)</source>
        <translation>楼层（999：所有楼层）</translation>
    </message>
    <message>
        <source>No earlier drawing was opened</source>
        <translation>没有打开旧图</translation>
    </message>
    <message>
        <source>drawing</source>
        <translation>图形</translation>
    </message>
    <message>
        <source>Export DXF</source>
        <translation>输出 DXF</translation>
    </message>
    <message>
        <source>DXF drawings (*.dxf)</source>
        <translation>DXF 图形 (*.dxf)</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>无法写入 %1：%2</translation>
    </message>
    <message>
        <source>%1: %2 entities written, %3 without a DXF form left out</source>
        <translation>%1：写入 %2 个实体，%3 个没有 DXF 形式的实体未写入</translation>
    </message>
    <message>
        <source>%1: %2 entities written</source>
        <translation>%1：写入 %2 个实体</translation>
    </message>
    <message>
        <source>Plot window</source>
        <translation>出图窗口</translation>
    </message>
    <message>
        <source>Plot to PDF</source>
        <translation>输出到 PDF</translation>
    </message>
    <message>
        <source>PDF (*.pdf)</source>
        <translation>PDF (*.pdf)</translation>
    </message>
    <message>
        <source>Plot</source>
        <translation>出图</translation>
    </message>
    <message>
        <source>Cannot plot to %1: %2</source>
        <translation>无法出图到 %1：%2</translation>
    </message>
    <message>
        <source>Plotted to %1</source>
        <translation>已出图到 %1</translation>
    </message>
    <message>
        <source>x,y  @dx,dy  value  (Enter ends, Esc cancels, Tab changes)</source>
        <translation>x,y  @dx,dy  数值  （回车结束，Esc 取消，Tab 切换）</translation>
    </message>
    <message>
        <source>No command waits for an answer</source>
        <translation>没有命令在等待输入</translation>
    </message>
    <message>
        <source>Not an answer to this prompt: %1</source>
        <translation>不是对此提示的回答：%1</translation>
    </message>
    <message>
        <source>Layers</source>
        <translation>图层</translation>
    </message>
    <message>
        <source>Drawing %1</source>
        <translation>图形 %1</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>打开</translation>
    </message>
    <message>
        <source>Cannot open %1: %2</source>
        <translation>无法打开 %1：%2</translation>
    </message>
    <message>
        <source>Save drawing</source>
        <translation>保存图形</translation>
    </message>
    <message>
        <source>Cannot save %1: %2</source>
        <translation>无法保存 %1：%2</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>%1 has changed. Save it?</source>
        <translation>%1 已修改。是否保存？</translation>
    </message>
    <message>
        <source>%1: another command is running</source>
        <translation>%1：另一个命令正在运行</translation>
    </message>
    <message>
        <source>The command failed: %1</source>
        <translation>命令失败：%1</translation>
    </message>
    <message>
        <source>The command failed.</source>
        <translation>命令失败。</translation>
    </message>
    <message>
        <source>No drawing is open</source>
        <translation>没有打开的图形</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>文件(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>新建(&amp;N)</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>打开(&amp;O)...</translation>
    </message>
    <message>
        <source>Open drawing</source>
        <translation>打开图形</translation>
    </message>
    <message>
        <source>Drawings (*.T *.t)</source>
        <translation>图形 (*.T *.t)</translation>
    </message>
    <message>
        <source>Open &amp;recent</source>
        <translation>最近打开(&amp;R)</translation>
    </message>
    <message>
        <source>Open an &amp;earlier drawing...</source>
        <translation>打开旧图(&amp;E)...</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>保存(&amp;S)</translation>
    </message>
    <message>
        <source>Save &amp;as...</source>
        <translation>另存为(&amp;A)...</translation>
    </message>
    <message>
        <source>&amp;Plot...</source>
        <translation>出图(&amp;P)...</translation>
    </message>
    <message>
        <source>&amp;Export DXF...</source>
        <translation>输出 DXF(&amp;E)...</translation>
    </message>
    <message>
        <source>&amp;Load drawing program...</source>
        <translation>加载绘图程序(&amp;L)...</translation>
    </message>
    <message>
        <source>Load drawing program</source>
        <translation>加载绘图程序</translation>
    </message>
    <message>
        <source>Programs (*.so)</source>
        <translation>程序 (*.so)</translation>
    </message>
    <message>
        <source>&amp;Close drawing</source>
        <translation>关闭图形(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>退出(&amp;Q)</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>视图(&amp;V)</translation>
    </message>
    <message>
        <source>&amp;Fit</source>
        <translation>全图(&amp;F)</translation>
    </message>
    <message>
        <source>Zoom &amp;window</source>
        <translation>窗口缩放(&amp;W)</translation>
    </message>
    <message>
        <source>Zoom &amp;in</source>
        <translation>放大(&amp;I)</translation>
    </message>
    <message>
        <source>Zoom &amp;out</source>
        <translation>缩小(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;Light background</source>
        <translation>浅色背景(&amp;L)</translation>
    </message>
    <message>
        <source>Object &amp;snaps</source>
        <translation>对象捕捉(&amp;S)</translation>
    </message>
    <message>
        <source>Object snaps on</source>
        <translation>对象捕捉 开</translation>
    </message>
    <message>
        <source>Object snaps off</source>
        <translation>对象捕捉 关</translation>
    </message>
    <message>
        <source>&amp;Ortho</source>
        <translation>正交(&amp;O)</translation>
    </message>
    <message>
        <source>Ortho on</source>
        <translation>正交 开</translation>
    </message>
    <message>
        <source>Ortho off</source>
        <translation>正交 关</translation>
    </message>
    <message>
        <source>&amp;Programs</source>
        <translation>程序(&amp;P)</translation>
    </message>
    <message>
        <source>&amp;Settings</source>
        <translation>设置(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Line types...</source>
        <translation>线型(&amp;L)...</translation>
    </message>
    <message>
        <source>Component &amp;layers...</source>
        <translation>构件图层(&amp;L)...</translation>
    </message>
    <message>
        <source>&amp;Text and dimension sizes...</source>
        <translation>文字和尺寸标注(&amp;T)...</translation>
    </message>
    <message>
        <source>&amp;User parameters...</source>
        <translation>用户参数(&amp;U)...</translation>
    </message>
    <message>
        <source>Drawing &amp;mode...</source>
        <translation>绘图方式(&amp;M)...</translation>
    </message>
    <message>
        <source>Drawing &amp;scale...</source>
        <translation>绘图比例(&amp;S)...</translation>
    </message>
    <message>
        <source>Drawing scale</source>
        <translation>绘图比例</translation>
    </message>
    <message>
        <source>1 :</source>
        <translation>1 :</translation>
    </message>
    <message>
        <source>&amp;Draw</source>
        <translation>绘图(&amp;D)</translation>
    </message>
    <message>
        <source>Sheet &amp;frame</source>
        <translation>图框(&amp;F)</translation>
    </message>
    <message>
        <source>Sheet frame A&amp;2</source>
        <translation>A2 图框(&amp;2)</translation>
    </message>
    <message>
        <source>Floor &amp;elevation table...</source>
        <translation>楼层标高表(&amp;E)...</translation>
    </message>
    <message>
        <source>&amp;Section outline...</source>
        <translation>截面轮廓(&amp;S)...</translation>
    </message>
    <message>
        <source>&amp;Break line</source>
        <translation>折断线(&amp;B)</translation>
    </message>
    <message>
        <source>&amp;Tables</source>
        <translation>表格(&amp;T)</translation>
    </message>
    <message>
        <source>Bar areas by &amp;number of bars</source>
        <translation>钢筋面积表（按根数）(&amp;N)</translation>
    </message>
    <message>
        <source>Bar areas per metre of &amp;slab</source>
        <translation>钢筋面积表（每米板宽）(&amp;S)</translation>
    </message>
    <message>
        <source>User &amp;table design...</source>
        <translation>用户表格设计(&amp;T)...</translation>
    </message>
    <message>
        <source>&amp;Insert</source>
        <translation>插入(&amp;I)</translation>
    </message>
    <message>
        <source>Copy &amp;other floor...</source>
        <translation>拷贝其他楼层(&amp;O)...</translation>
    </message>
    <message>
        <source>&amp;Import DWG/DXF drawing...</source>
        <translation>读入 DWG/DXF 图形(&amp;I)...</translation>
    </message>
    <message>
        <source>&amp;Move the imported drawing</source>
        <translation>移动读入的图形(&amp;M)</translation>
    </message>
    <message>
        <source>&amp;Scale the imported drawing</source>
        <translation>缩放读入的图形(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Rotate the imported drawing</source>
        <translation>旋转读入的图形(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Erase the imported drawing</source>
        <translation>删除读入的图形(&amp;E)</translation>
    </message>
    <message>
        <source>E&amp;xtended data</source>
        <translation>扩展数据(&amp;X)</translation>
    </message>
    <message>
        <source>&amp;Manage extended data...</source>
        <translation>扩展数据管理(&amp;M)...</translation>
    </message>
    <message>
        <source>&amp;Extended data of new entities...</source>
        <translation>新实体的扩展数据(&amp;E)...</translation>
    </message>
    <message>
        <source>&amp;Same-entity editor...</source>
        <translation>同类实体编辑器(&amp;S)...</translation>
    </message>
    <message>
        <source>No autosave: %1</source>
        <translation>无法自动保存：%1</translation>
    </message>
    <message>
        <source>Autosave of %1 failed: %2</source>
        <translation>%1 自动保存失败：%2</translation>
    </message>
    <message>
        <source>%1, autosaved %2</source>
        <translation>%1，自动保存于 %2</translation>
    </message>
    <message>
        <source>a drawing never saved</source>
        <translation>从未保存的图形</translation>
    </message>
    <message>
        <source>Recover drawings</source>
        <translation>恢复图形</translation>
    </message>
    <message>
        <source>kwdraw ended without saving the changes of these drawings:

%1

Recover them?</source>
        <translation>kwdraw 上次结束时未保存以下图形的修改：

%1

是否恢复？</translation>
    </message>
    <message>
        <source>Recover</source>
        <translation>恢复</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>放弃</translation>
    </message>
    <message>
        <source>Ask again next time</source>
        <translation>下次再问</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>编辑(&amp;E)</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>撤销(&amp;U)</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>重做(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Undo %1</source>
        <translation>撤销 %1(&amp;U)</translation>
    </message>
    <message>
        <source>&amp;Redo %1</source>
        <translation>重做 %1(&amp;R)</translation>
    </message>
    <message>
        <source>Nothing to undo</source>
        <translation>没有可撤销的操作</translation>
    </message>
    <message>
        <source>Nothing to redo</source>
        <translation>没有可重做的操作</translation>
    </message>
    <message>
        <source>Undone: %1</source>
        <translation>已撤销：%1</translation>
    </message>
    <message>
        <source>Redone: %1</source>
        <translation>已重做：%1</translation>
    </message>
    <message numerus="yes">
        <source>The undo history is full: its %n oldest step(s) were dropped</source>
        <translation>
            <numerusform>撤销记录已满：最早的 %n 步已丢弃</numerusform>
        </translation>
    </message>
    <message>
        <source>Properties</source>
        <translation>特性</translation>
    </message>
    <message>
        <source>&amp;Modify</source>
        <translation>修改(&amp;M)</translation>
    </message>
    <message>
        <source>Select &amp;all</source>
        <translation>全选(&amp;A)</translation>
    </message>
    <message>
        <source>&amp;Erase</source>
        <translation>删除(&amp;E)</translation>
    </message>
    <message>
        <source>&amp;Move</source>
        <translation>移动(&amp;M)</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>复制(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Rotate</source>
        <translation>旋转(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Scale</source>
        <translation>缩放(&amp;S)</translation>
    </message>
    <message>
        <source>M&amp;irror</source>
        <translation>镜像(&amp;I)</translation>
    </message>
    <message>
        <source>&amp;Offset</source>
        <translation>偏移(&amp;O)</translation>
    </message>
    <message numerus="yes">
        <source>%n selected</source>
        <translation>
            <numerusform>已选择 %n 个对象</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>kwdraw::Measure</name>
    <message>
        <source>Distance = %1 (%2 m), angle = %3 deg, dX = %4, dY = %5</source>
        <translation>距离 = %1 (%2 m)，角度 = %3°，ΔX = %4，ΔY = %5</translation>
    </message>
    <message>
        <source>Area = %1 (%2 sq m), perimeter = %3 (%4 m)</source>
        <translation>面积 = %1 (%2 m²)，周长 = %3 (%4 m)</translation>
    </message>
    <message>
        <source>What was picked is no closed polyline</source>
        <translation>所选的不是封闭多段线</translation>
    </message>
</context>
<context>
    <name>kwdraw::PlotDialog</name>
    <message>
        <source>Plot</source>
        <translation>出图</translation>
    </message>
    <message>
        <source>The area's own size</source>
        <translation>区域原大</translation>
    </message>
    <message>
        <source>Landscape</source>
        <translation>横向</translation>
    </message>
    <message>
        <source>Portrait</source>
        <translation>纵向</translation>
    </message>
    <message>
        <source>Paper</source>
        <translation>图纸</translation>
    </message>
    <message>
        <source>Sheet frame</source>
        <translation>图框</translation>
    </message>
    <message>
        <source>Everything drawn</source>
        <translation>全部图形</translation>
    </message>
    <message>
        <source>The window picked</source>
        <translation>点取的窗口</translation>
    </message>
    <message>
        <source>Pick a window...</source>
        <translation>点取窗口...</translation>
    </message>
    <message>
        <source>Area</source>
        <translation>范围</translation>
    </message>
    <message>
        <source>Fit to the paper</source>
        <translation>适合图纸</translation>
    </message>
    <message>
        <source>Scale</source>
        <translation>比例</translation>
    </message>
    <message>
        <source>Centred on the paper</source>
        <translation>居中</translation>
    </message>
    <message>
        <source>The drawing's colours</source>
        <translation>图形颜色</translation>
    </message>
    <message>
        <source>Monochrome (all black)</source>
        <translation>单色（全黑）</translation>
    </message>
    <message>
        <source>Pen table</source>
        <translation>笔表</translation>
    </message>
    <message>
        <source>pen-table file</source>
        <translation>笔表文件</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Pen tables (*.pens)</source>
        <translation>笔表 (*.pens)</translation>
    </message>
    <message>
        <source>Pens</source>
        <translation>笔</translation>
    </message>
    <message>
        <source>Page</source>
        <translation>页面</translation>
    </message>
    <message>
        <source>Plot...</source>
        <translation>出图...</translation>
    </message>
    <message>
        <source>Choose a pen-table file</source>
        <translation>选择笔表文件</translation>
    </message>
    <message>
        <source>%1 x %2 mm at 1:%3</source>
        <translation>%1 x %2 mm，比例 1:%3</translation>
    </message>
</context>
<context>
    <name>kwdraw::PropertiesPanel</name>
    <message>
        <source>Layer</source>
        <translation>图层</translation>
    </message>
    <message>
        <source>By layer</source>
        <translation>随层</translation>
    </message>
    <message>
        <source>Colour</source>
        <translation>颜色</translation>
    </message>
    <message>
        <source>Index...</source>
        <translation>索引色...</translation>
    </message>
    <message>
        <source>Line type</source>
        <translation>线型</translation>
    </message>
    <message>
        <source>Width (mm)</source>
        <translation>线宽 (mm)</translation>
    </message>
    <message>
        <source>Content</source>
        <translation>内容</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>高度</translation>
    </message>
    <message>
        <source>Width factor</source>
        <translation>宽度系数</translation>
    </message>
    <message>
        <source>Angle</source>
        <translation>角度</translation>
    </message>
    <message>
        <source>Start X</source>
        <translation>起点 X</translation>
    </message>
    <message>
        <source>Start Y</source>
        <translation>起点 Y</translation>
    </message>
    <message>
        <source>End X</source>
        <translation>终点 X</translation>
    </message>
    <message>
        <source>End Y</source>
        <translation>终点 Y</translation>
    </message>
    <message>
        <source>Centre X</source>
        <translation>圆心 X</translation>
    </message>
    <message>
        <source>Centre Y</source>
        <translation>圆心 Y</translation>
    </message>
    <message>
        <source>Radius</source>
        <translation>半径</translation>
    </message>
    <message>
        <source>Start angle</source>
        <translation>起始角度</translation>
    </message>
    <message>
        <source>End angle</source>
        <translation>终止角度</translation>
    </message>
</context>
<context>
    <name>kwdraw::SectionDialog</name>
    <message>
        <source>Section outline</source>
        <translation>截面轮廓</translation>
    </message>
    <message>
        <source>Shape</source>
        <translation>形状</translation>
    </message>
    <message>
        <source>Angle (degrees)</source>
        <translation>角度（度）</translation>
    </message>
    <message>
        <source>Detail scale</source>
        <translation>详图比例</translation>
    </message>
</context>
</TS>