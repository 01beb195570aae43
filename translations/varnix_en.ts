<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>Airframe</name>
    <message>
        <source>固定翼</source>
        <translation>Plane</translation>
    </message>
    <message>
        <source>三角翼（升降副翼）</source>
        <translation>Delta (elevons)</translation>
    </message>
    <message>
        <source>V尾</source>
        <translation>V-tail</translation>
    </message>
    <message>
        <source>滑翔机</source>
        <translation>Glider</translation>
    </message>
    <message>
        <source>其他</source>
        <translation>Other</translation>
    </message>
</context>
<context>
    <name>AirframeCheck</name>
    <message>
        <source>机型检查</source>
        <translation>Airframe check</translation>
    </message>
    <message>
        <source>舵面</source>
        <translation>Surface</translation>
    </message>
    <message>
        <source>通道</source>
        <translation>Channel</translation>
    </message>
    <message>
        <source>安装方向</source>
        <translation>Sense</translation>
    </message>
    <message>
        <source>哪个通道带动哪个舵面；安装方向 -1：同一输出让它向另一边偏（两边机翼镜像安装的舵机）</source>
        <translation>Which channel drives which surface; sense -1: the same output turns it the other way (servos mirrored in the two wing halves)</translation>
    </message>
    <message>
        <source>恢复默认</source>
        <translation>Defaults</translation>
    </message>
    <message>
        <source>是</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>反了</source>
        <translation>Reversed</translation>
    </message>
    <message>
        <source>把这个舵面反过来（通道反向或混控比例取反），一步可撤销；写入数据后生效</source>
        <translation>Turns this surface round (channel reverse or mix rate sign), as one undo step; takes effect with the next Write</translation>
    </message>
    <message>
        <source>重新开始</source>
        <translation>Start again</translation>
    </message>
    <message>
        <source>写入数据…</source>
        <translation>Write…</translation>
    </message>
    <message>
        <source>机型：</source>
        <translation>Airframe:</translation>
    </message>
    <message>
        <source>发射机的升降副翼混控是关闭的：三角翼要在高级菜单1打开它。</source>
        <translation>The transmitter&apos;s elevon mix is off: a delta needs it on (Advanced 1).</translation>
    </message>
    <message>
        <source>发射机的V型尾翼混控是关闭的：V尾要在高级菜单1打开它。</source>
        <translation>The transmitter&apos;s V-tail mix is off: a V-tail needs it on (Advanced 1).</translation>
    </message>
    <message>
        <source>第 %1/%2 步：%3</source>
        <translation>Step %1/%2: %3</translation>
    </message>
    <message>
        <source>检查完成：改了 %1 处。按“写入数据”把它们写入发射机（写入前会列出来让你确认）。</source>
        <translation>Check done: %1 changes. Press Write to send them to the transmitter (the review lists them first).</translation>
    </message>
    <message>
        <source>检查完成。</source>
        <translation>Check done.</translation>
    </message>
    <message>
        <source>不能只改%1：%2（已确认）也由同一设置带动（%3）。请检查%1的舵机安装或连线，或在表里给它自己的通道。</source>
        <translation>Cannot change the %1 alone: the %2 (already confirmed) hangs on the same setting (%3). Check the %1&apos;s servo installation or wiring, or give it a channel of its own in the table.</translation>
    </message>
    <message>
        <source>机型检查：%1反了（%2）</source>
        <translation>Airframe check: %1 reversed (%2)</translation>
    </message>
    <message>
        <source>已改：%1。写入数据后发射机才会这样做；可在主窗口撤销（Ctrl+Z）。</source>
        <translation>Changed: %1. The transmitter does so after a Write; undo in the main window (Ctrl+Z).</translation>
    </message>
</context>
<context>
    <name>AirframeView</name>
    <message>
        <source>没有实时数据：打开串口后舵面随发射机移动</source>
        <translation>No live data: open the port and the surfaces follow the transmitter</translation>
    </message>
</context>
<context>
    <name>Bindings</name>
    <message>
        <source>舵机相位 CH%1</source>
        <translation>Servo reverse CH%1</translation>
    </message>
    <message>
        <source>副微调 CH%1</source>
        <translation>Sub-trim CH%1</translation>
    </message>
    <message>
        <source>舵机行程 L CH%1</source>
        <translation>End point L CH%1</translation>
    </message>
    <message>
        <source>舵机行程 R CH%1</source>
        <translation>End point R CH%1</translation>
    </message>
    <message>
        <source>失控保护 CH%1</source>
        <translation>Fail-safe CH%1</translation>
    </message>
    <message>
        <source>舵机延迟 CH%1</source>
        <translation>Servo delay CH%1</translation>
    </message>
    <message>
        <source>辅助通道 CH%1</source>
        <translation>Aux source CH%1</translation>
    </message>
    <message>
        <source>大小舵</source>
        <translation>Dual rate</translation>
    </message>
    <message>
        <source>大小舵通道</source>
        <translation>Dual-rate channel</translation>
    </message>
    <message>
        <source>大小舵开关</source>
        <translation>Dual-rate switch</translation>
    </message>
    <message>
        <source>大小舵上档</source>
        <translation>Dual rate up</translation>
    </message>
    <message>
        <source>大小舵下档</source>
        <translation>Dual rate down</translation>
    </message>
    <message>
        <source>大小舵 CH%1 上档比例</source>
        <translation>Dual rate CH%1 up rate</translation>
    </message>
    <message>
        <source>大小舵 CH%1 下档比例</source>
        <translation>Dual rate CH%1 down rate</translation>
    </message>
    <message>
        <source>姿态通道</source>
        <translation>Flight mode channel</translation>
    </message>
    <message>
        <source>姿态%1</source>
        <translation>Flight mode %1</translation>
    </message>
    <message>
        <source>升降副翼混控</source>
        <translation>Elevon mix</translation>
    </message>
    <message>
        <source>V型尾翼混控</source>
        <translation>V-tail mix</translation>
    </message>
    <message>
        <source>大小舵档位</source>
        <translation>Dual-rate position</translation>
    </message>
    <message>
        <source>大小舵曲线比例</source>
        <translation>Dual-rate curve rate</translation>
    </message>
    <message>
        <source>大小舵曲线指数</source>
        <translation>Dual-rate curve expo</translation>
    </message>
    <message>
        <source>大小舵 CH%1 上档指数</source>
        <translation>Dual rate CH%1 up expo</translation>
    </message>
    <message>
        <source>大小舵 CH%1 下档指数</source>
        <translation>Dual rate CH%1 down expo</translation>
    </message>
    <message>
        <source>油门曲线</source>
        <translation>Throttle curve</translation>
    </message>
    <message>
        <source>油门曲线点%1</source>
        <translation>Throttle point %1</translation>
    </message>
    <message>
        <source>油门曲线附加值</source>
        <translation>Throttle curve extra</translation>
    </message>
    <message>
        <source>发射机报警电压</source>
        <translation>Transmitter alarm</translation>
    </message>
    <message>
        <source>接收机报警电压</source>
        <translation>Receiver alarm</translation>
    </message>
    <message>
        <source>动力电池报警电压</source>
        <translation>Power battery alarm</translation>
    </message>
    <message>
        <source>RSSI 报警</source>
        <translation>RSSI alarm</translation>
    </message>
    <message>
        <source>摇杆模式</source>
        <translation>Stick mode</translation>
    </message>
    <message>
        <source>固件版本</source>
        <translation>Firmware version</translation>
    </message>
    <message>
        <source>微调%1</source>
        <translation>Trim %1</translation>
    </message>
    <message>
        <source>混控%1 状态</source>
        <translation>Mix %1 state</translation>
    </message>
    <message>
        <source>混控%1 主控</source>
        <translation>Mix %1 master</translation>
    </message>
    <message>
        <source>混控%1 被控</source>
        <translation>Mix %1 slave</translation>
    </message>
    <message>
        <source>混控%1 偏置</source>
        <translation>Mix %1 offset</translation>
    </message>
    <message>
        <source>混控%1 上边</source>
        <translation>Mix %1 upper rate</translation>
    </message>
    <message>
        <source>混控%1 下边</source>
        <translation>Mix %1 lower rate</translation>
    </message>
    <message>
        <source>窗口没有第 %1 项（只有 %2 项）</source>
        <translation>the window has no item %1 (only %2)</translation>
    </message>
    <message>
        <source>窗口只能显示 %1 到 %2</source>
        <translation>the window shows only %1 to %2</translation>
    </message>
    <message>
        <source>%1，窗口改为 %2</source>
        <translation>%1; the window puts %2</translation>
    </message>
    <message>
        <source>%1 到 %2</source>
        <translation>%1 to %2</translation>
    </message>
    <message>
        <source>%1：%2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>升降副翼 副翼1</source>
        <translation>Elevon Ail 1</translation>
    </message>
    <message>
        <source>升降副翼 副翼2</source>
        <translation>Elevon Ail 2</translation>
    </message>
    <message>
        <source>升降副翼 升降2</source>
        <translation>Elevon Elev 2</translation>
    </message>
    <message>
        <source>升降副翼 升降1</source>
        <translation>Elevon Elev 1</translation>
    </message>
    <message>
        <source>升降副翼 副翼1 第二列</source>
        <translation>Elevon Ail 1, second column</translation>
    </message>
    <message>
        <source>升降副翼 副翼2 第二列</source>
        <translation>Elevon Ail 2, second column</translation>
    </message>
    <message>
        <source>V型尾翼 升降1</source>
        <translation>V-tail Elev 1</translation>
    </message>
    <message>
        <source>V型尾翼 升降2</source>
        <translation>V-tail Elev 2</translation>
    </message>
    <message>
        <source>V型尾翼 尾舵2</source>
        <translation>V-tail Rud 2</translation>
    </message>
    <message>
        <source>V型尾翼 尾舵1</source>
        <translation>V-tail Rud 1</translation>
    </message>
</context>
<context>
    <name>CompareDialog</name>
    <message>
        <source>比较</source>
        <translation>Compare</translation>
    </message>
    <message>
        <source>左边：</source>
        <translation>Left:</translation>
    </message>
    <message>
        <source>右边：</source>
        <translation>Right:</translation>
    </message>
    <message>
        <source>左边选中的行复制到页面</source>
        <translation>Copy the ticked rows from the left into the pages</translation>
    </message>
    <message>
        <source>右边选中的行复制到页面</source>
        <translation>Copy the ticked rows from the right into the pages</translation>
    </message>
    <message>
        <source>页面上的设置</source>
        <translation>The settings on the pages</translation>
    </message>
    <message>
        <source>发射机（上次读取）</source>
        <translation>The transmitter (last Read)</translation>
    </message>
    <message>
        <source>文件…</source>
        <translation>File…</translation>
    </message>
    <message>
        <source>只显示不同的设置</source>
        <translation>Only the settings that differ</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>比较文件</source>
        <translation>Compare a file</translation>
    </message>
    <message>
        <source>所有文件 (*.*);;文本文件 (*.txt *.dat)</source>
        <translation>All files (*.*);;Text files (*.txt *.dat)</translation>
    </message>
    <message>
        <source>发射机的设置还未读取：先按 读取数据</source>
        <translation>The transmitter&apos;s settings have not been read: press Read first</translation>
    </message>
    <message>
        <source>%1：%2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>%1：文件不完整（%2）</source>
        <translation>%1: the file is incomplete (%2)</translation>
    </message>
    <message>
        <source>页面</source>
        <translation>Page</translation>
    </message>
    <message>
        <source>设置</source>
        <translation>Setting</translation>
    </message>
    <message>
        <source>两边的设置相同</source>
        <translation>Both sides hold the same settings</translation>
    </message>
    <message>
        <source>%1 项不同</source>
        <translation>%1 settings differ</translation>
    </message>
    <message>
        <source>从 %1 复制 %2 项</source>
        <translation>Copy %2 settings from %1</translation>
    </message>
</context>
<context>
    <name>ConnectionController</name>
    <message>
        <source>打开串口</source>
        <translation>Open port</translation>
    </message>
    <message>
        <source>关闭串口</source>
        <translation>Close port</translation>
    </message>
    <message>
        <source>设备已挂断</source>
        <translation>the device hung up</translation>
    </message>
    <message>
        <source>在 Linux 上请把用户加入 dialout 组：sudo usermod -aG dialout $USER，然后重新登录。</source>
        <translation>On Linux, add your user to the dialout group (sudo usermod -aG dialout $USER), then log out and in again.</translation>
    </message>
    <message>
        <source>无法打开串口！</source>
        <translation>Cannot open the port!</translation>
    </message>
    <message>
        <source>串口已断开</source>
        <translation>The port was disconnected</translation>
    </message>
    <message>
        <source>选择串口</source>
        <translation>Pick a port</translation>
    </message>
    <message>
        <source>无法自动打开 %1：%2</source>
        <translation>Could not open %1 by itself: %2</translation>
    </message>
    <message>
        <source>串口被另一个程序占用：请关闭正在用它的程序（串口助手、另一个调参软件、Arduino 串口监视器等），再按“打开串口”。</source>
        <translation>Another program holds the port: close the program using it (a serial terminal, another configurator, the Arduino serial monitor…), then press “Open port”.</translation>
    </message>
    <message>
        <source>在 Linux 上也可能是 ModemManager 在探测它：sudo systemctl stop ModemManager。</source>
        <translation>On Linux it may be ModemManager probing it: sudo systemctl stop ModemManager.</translation>
    </message>
    <message>
        <source>没有使用这个串口的权限。</source>
        <translation>No permission to use this port.</translation>
    </message>
    <message>
        <source>请关闭正在用它的程序，或拔下适配器再插上。</source>
        <translation>Close the program using it, or unplug the adapter and plug it in again.</translation>
    </message>
    <message>
        <source>（系统：%1）</source>
        <translation>(system: %1)</translation>
    </message>
    <message>
        <source>等待 %1 重新插上，插上后自动打开</source>
        <translation>waiting for %1 to be plugged in again; it opens by itself</translation>
    </message>
</context>
<context>
    <name>EditSession</name>
    <message>
        <source>恢复为发射机的设置</source>
        <translation>Revert to the transmitter</translation>
    </message>
    <message>
        <source>写入数据</source>
        <translation>Write</translation>
    </message>
    <message>
        <source>出厂设置</source>
        <translation>Defaults</translation>
    </message>
    <message>
        <source>重置数据</source>
        <translation>Reset data</translation>
    </message>
    <message>
        <source>保存数据</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>加载数据</source>
        <translation>Load</translation>
    </message>
    <message>
        <source>读取数据</source>
        <translation>Read</translation>
    </message>
    <message>
        <source>读取覆盖了 %1 项未写入的修改，Ctrl+Z 可撤销</source>
        <translation>the Read replaced %1 unwritten edits; Ctrl+Z takes it back</translation>
    </message>
    <message>
        <source>随窗口改的其他设置改变</source>
        <translation>follows another setting the window changed</translation>
    </message>
    <message>
        <source>窗口显示不了发射机的 %1 项设置，已改成窗口的值（未写入）：%2</source>
        <translation>The window cannot show %1 of the transmitter&apos;s settings and changed them (not written): %2</translation>
    </message>
</context>
<context>
    <name>EmptyState</name>
    <message>
        <source>&lt;b&gt;还没有连接发射机&lt;/b&gt;&lt;ol&gt;&lt;li&gt;用数据线把发射机（或它的 USB 串口适配器）插到电脑上，打开发射机电源。&lt;/li&gt;&lt;li&gt;在上方的串口列表里选它（USB 适配器排在前面，如 CH340、CP210x）。&lt;/li&gt;&lt;li&gt;按“打开串口”。灯变绿、通道条动起来，就连上了。&lt;/li&gt;&lt;/ol&gt;</source>
        <translation>&lt;b&gt;No transmitter connected yet&lt;/b&gt;&lt;ol&gt;&lt;li&gt;Plug the transmitter (or its USB-serial adapter) into the computer with a data cable and switch the transmitter on.&lt;/li&gt;&lt;li&gt;Pick it in the port list above (USB adapters come first, e.g. CH340, CP210x).&lt;/li&gt;&lt;li&gt;Press “Open port”. When the lamp turns green and the bars move, you are connected.&lt;/li&gt;&lt;/ol&gt;</translation>
    </message>
    <message>
        <source>&lt;b&gt;串口已打开，等待发射机的数据…&lt;/b&gt;&lt;br&gt;灯为黄色：还没有收到数据。</source>
        <translation>&lt;b&gt;Port open, waiting for the transmitter&apos;s data…&lt;/b&gt;&lt;br&gt;The lamp is amber: nothing received yet.</translation>
    </message>
    <message>
        <source>&lt;b&gt;串口已打开，但没有收到发射机的数据&lt;/b&gt;&lt;ul&gt;&lt;li&gt;发射机开机了吗？&lt;/li&gt;&lt;li&gt;数据线能传数据吗？有的线只能充电。&lt;/li&gt;&lt;li&gt;选的是发射机的串口吗？拔下适配器看看列表里哪个消失了。&lt;/li&gt;&lt;li&gt;USB 适配器的驱动装好了吗（CH340 的旧驱动可能设不了串口）？&lt;/li&gt;&lt;/ul&gt;</source>
        <translation>&lt;b&gt;Port open, but no data from the transmitter&lt;/b&gt;&lt;ul&gt;&lt;li&gt;Is the transmitter switched on?&lt;/li&gt;&lt;li&gt;Does the cable carry data? Some only charge.&lt;/li&gt;&lt;li&gt;Is it the transmitter&apos;s port? Unplug the adapter and see which one leaves the list.&lt;/li&gt;&lt;li&gt;Is the adapter&apos;s driver installed (old CH340 drivers may fail to set the port)?&lt;/li&gt;&lt;/ul&gt;</translation>
    </message>
</context>
<context>
    <name>FieldHelpers</name>
    <message>
        <source>微调转中点</source>
        <translation>Trims to sub-trims</translation>
    </message>
    <message>
        <source>把四个摇杆微调加进副微调，微调回中，写入前确认：F8</source>
        <translation>Add the four stick trims into the sub-trims and centre the trims, reviewed before writing: F8</translation>
    </message>
    <message>
        <source>失控保护取当前</source>
        <translation>Fail-safe from sticks</translation>
    </message>
    <message>
        <source>保持摇杆不动，把各通道当前的输出设为失控保护：F9</source>
        <translation>Hold the sticks still: each channel&apos;s output now becomes its fail-safe: F9</translation>
    </message>
    <message>
        <source>失控保护取当前：串口已关闭，未改变</source>
        <translation>Fail-safe from sticks: the port closed, nothing changed</translation>
    </message>
    <message>
        <source>微调转中点：请先打开串口。</source>
        <translation>Trims to sub-trims: open the port first.</translation>
    </message>
    <message>
        <source>微调转中点：请先读取数据，再转。</source>
        <translation>Trims to sub-trims: read the settings first.</translation>
    </message>
    <message>
        <source>微调转中点：还没有收到发射机的微调，请等灯变绿后再试。</source>
        <translation>Trims to sub-trims: no trims from the transmitter yet; try again once the lamp is green.</translation>
    </message>
    <message>
        <source>微调转中点：四个微调都在中点，没有要转的。</source>
        <translation>Trims to sub-trims: all four trims are centred, nothing to move.</translation>
    </message>
    <message>
        <source>CH%1 %2</source>
        <translation>CH%1 %2</translation>
    </message>
    <message>
        <source>微调转中点：%1 已转入副微调</source>
        <translation>Trims to sub-trims: %1 moved into the sub-trims</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source>；CH%1 副微调到了 %2，其余 %3 留在微调里</source>
        <translation>; CH%1 sub-trim reached %2, the remaining %3 stays in the trim</translation>
    </message>
    <message>
        <source>微调转中点已取消，未写入</source>
        <translation>Trims to sub-trims cancelled, nothing written</translation>
    </message>
    <message>
        <source>失控保护取当前：请先打开串口。</source>
        <translation>Fail-safe from sticks: open the port first.</translation>
    </message>
    <message>
        <source>失控保护取当前：还没有收到发射机的数据，取不到当前输出。</source>
        <translation>Fail-safe from sticks: no data from the transmitter yet, so no outputs to take.</translation>
    </message>
    <message>
        <source>失控保护取当前已取消，未改变</source>
        <translation>Fail-safe from sticks cancelled, nothing changed</translation>
    </message>
    <message>
        <source>把摇杆和开关放在信号丢失时飞机应保持的位置（油门通常拉到最低），保持不动。
%1 秒后取各通道当前的输出…</source>
        <translation>Put the sticks and switches where the aircraft should go when the signal is lost (throttle usually low) and hold them still.
The outputs are taken in %1 s…</translation>
    </message>
    <message>
        <source>失控保护取当前：与现在的设置相同，没有改变</source>
        <translation>Fail-safe from sticks: the same as the settings, nothing changed</translation>
    </message>
    <message>
        <source>失控保护取当前：%1</source>
        <translation>Fail-safe from sticks: %1</translation>
    </message>
    <message>
        <source>工具</source>
        <translation>Tools</translation>
    </message>
    <message>
        <source>模板、比较、机型检查，微调转中点和失控保护取当前</source>
        <translation>Templates, compare, the airframe check, trims to sub-trims and fail-safe from sticks</translation>
    </message>
</context>
<context>
    <name>FileController</name>
    <message>
        <source>文本文件 (*.txt *.dat)</source>
        <translation>Text files (*.txt *.dat)</translation>
    </message>
    <message>
        <source>%1 帧不完整：文件在第 %2 行第 %3 列结束</source>
        <translation>The %1 frame is cut short: the file ends at line %2, column %3</translation>
    </message>
    <message>
        <source>第 %1 行第 %2 列是 %3，%4 帧应从这里开始</source>
        <translation>Line %1, column %2: %3 where the %4 frame starts</translation>
    </message>
    <message>
        <source>第 %1 行第 %2 列是 %3，%4 帧应以 %5 结束</source>
        <translation>Line %1, column %2: %3 where the %4 frame ends with %5</translation>
    </message>
    <message>
        <source>第 %1 行第 %2 列的 %3 不是 %4 帧的十六进制数字</source>
        <translation>Line %1, column %2: %3 in the %4 frame is not a hexadecimal digit</translation>
    </message>
    <message>
        <source>文件不存在</source>
        <translation>No such file</translation>
    </message>
    <message>
        <source>不是普通文件：目录、设备、管道和套接字都不读取</source>
        <translation>Not a regular file: directories, devices, pipes and sockets are not read</translation>
    </message>
    <message>
        <source>超过 64 kB：不是参数文件</source>
        <translation>Over 64 kB: not a Parameter file</translation>
    </message>
    <message>
        <source>无法读取：%1</source>
        <translation>Cannot read it: %1</translation>
    </message>
    <message>
        <source>文件是空的：不是参数文件</source>
        <translation>The file is empty: not a Parameter file</translation>
    </message>
    <message>
        <source>找不到参数帧，不是参数文件：%1</source>
        <translation>No Parameter frame found, not a Parameter file: %1</translation>
    </message>
    <message>
        <source>已存在，且不是普通文件：不会被替换</source>
        <translation>Exists and is not a regular file: it is not replaced</translation>
    </message>
    <message>
        <source>磁盘已满</source>
        <translation>Disk full</translation>
    </message>
    <message>
        <source>未备份：本次连接尚未读到发射机的设置</source>
        <translation>no backup: nothing read from the transmitter in this connection</translation>
    </message>
    <message>
        <source>备份失败：%1</source>
        <translation>backup failed: %1</translation>
    </message>
    <message>
        <source>已备份 %1</source>
        <translation>backed up to %1</translation>
    </message>
    <message>
        <source>（已知 %1/%2 段）</source>
        <translation> (%1/%2 sections known)</translation>
    </message>
    <message>
        <source>（不含摇杆微调：未收到）</source>
        <translation> (without the stick trims: none received)</translation>
    </message>
    <message>
        <source>保存设置单</source>
        <translation>Save setup sheet</translation>
    </message>
    <message>
        <source>PDF (*.pdf);;HTML (*.html)</source>
        <translation>PDF (*.pdf);;HTML (*.html)</translation>
    </message>
    <message>
        <source>设置单未能保存</source>
        <translation>The setup sheet was not saved</translation>
    </message>
    <message>
        <source>设置单已保存：%1</source>
        <translation>Setup sheet saved: %1</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>不能读取指定的文件!</source>
        <translation>Cannot read the file!</translation>
    </message>
    <message>
        <source>不能写入指定的文件!</source>
        <translation>Cannot write the file!</translation>
    </message>
    <message>
        <source>保存数据</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>所有文件 (*.*)</source>
        <translation>All files (*.*)</translation>
    </message>
    <message>
        <source>（未收到摇杆微调，文件不含 I 帧）</source>
        <translation> (stick trims not received: the file has no I frame)</translation>
    </message>
    <message>
        <source>打开文件</source>
        <translation>Open file</translation>
    </message>
    <message>
        <source>所有文件 (*.*);;文本文件 (*.txt *.dat)</source>
        <translation>All files (*.*);;Text files (*.txt *.dat)</translation>
    </message>
    <message>
        <source>文件 %1</source>
        <translation>File %1</translation>
    </message>
    <message>
        <source>（只取了 %1 帧，未识别 %2）</source>
        <translation> (frames %1 taken, %2 not recognised)</translation>
    </message>
</context>
<context>
    <name>FormBinder</name>
    <message>
        <source>发射机 %1 → %2</source>
        <translation>Transmitter %1 → %2</translation>
    </message>
    <message>
        <source>窗口改的：%1</source>
        <translation>Changed by the window: %1</translation>
    </message>
</context>
<context>
    <name>KeyboardAccess</name>
    <message>
        <source>读取数据：从发射机读取全部设置</source>
        <translation>Read: all settings from the transmitter</translation>
    </message>
    <message>
        <source>加载数据：打开参数文件，写入发射机</source>
        <translation>Load: open a parameter file and write it to the transmitter</translation>
    </message>
    <message>
        <source>写入数据：把设置写入发射机</source>
        <translation>Write: the settings to the transmitter</translation>
    </message>
    <message>
        <source>保存数据：把设置保存为参数文件</source>
        <translation>Save: the settings to a parameter file</translation>
    </message>
    <message>
        <source>出厂设置：发射机恢复出厂设置</source>
        <translation>Defaults: the transmitter back to its factory settings</translation>
    </message>
    <message>
        <source>串口</source>
        <translation>Serial port</translation>
    </message>
    <message>
        <source>串口：选择或输入发射机所在的串口</source>
        <translation>Serial port: pick or type the transmitter&apos;s port</translation>
    </message>
    <message>
        <source>打开或关闭所选的串口</source>
        <translation>Open or close the chosen port</translation>
    </message>
</context>
<context>
    <name>LibraryPanel</name>
    <message>
        <source>机型库</source>
        <translation>Setups</translation>
    </message>
    <message>
        <source>保存到机型</source>
        <translation>Save to setup</translation>
    </message>
    <message>
        <source>搜索名称或备注</source>
        <translation>Search names and notes</translation>
    </message>
    <message>
        <source>按名称</source>
        <translation>By name</translation>
    </message>
    <message>
        <source>按最近使用</source>
        <translation>Last used</translation>
    </message>
    <message>
        <source>机型</source>
        <translation>Setups</translation>
    </message>
    <message>
        <source>新建</source>
        <translation>New</translation>
    </message>
    <message>
        <source>从发射机</source>
        <translation>From the transmitter</translation>
    </message>
    <message>
        <source>把页面上的设置（读取的发射机设置）存为新机型</source>
        <translation>Save the settings on the pages (as read from the transmitter) as a new setup</translation>
    </message>
    <message>
        <source>从模板…</source>
        <translation>From a template…</translation>
    </message>
    <message>
        <source>复制</source>
        <translation>Duplicate</translation>
    </message>
    <message>
        <source>重命名</source>
        <translation>Rename</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>写入发射机</source>
        <translation>Write to transmitter</translation>
    </message>
    <message>
        <source>把所选机型写入发射机：先确认改变的设置，写入后读回校验</source>
        <translation>Write the selected setup to the transmitter: review the changes first, read back and check after writing</translation>
    </message>
    <message>
        <source>类型</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>备注：重心、舵量、电池……</source>
        <translation>Notes: CG, throws, battery…</translation>
    </message>
    <message>
        <source>备注</source>
        <translation>Notes</translation>
    </message>
    <message>
        <source>存为新机型…</source>
        <translation>Save as new setup…</translation>
    </message>
    <message>
        <source>撤销</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>附加信息文件已损坏，已忽略：%1</source>
        <translation>Sidecar damaged, ignored: %1</translation>
    </message>
    <message>
        <source>备注未能保存：%1</source>
        <translation>Notes not saved: %1</translation>
    </message>
    <message>
        <source>类型未能保存：%1</source>
        <translation>Type not saved: %1</translation>
    </message>
    <message>
        <source>名称</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>新建机型</source>
        <translation>New setup</translation>
    </message>
    <message>
        <source>机型未能保存</source>
        <translation>Setup not saved</translation>
    </message>
    <message>
        <source>已存为机型：%1</source>
        <translation>Saved as setup: %1</translation>
    </message>
    <message>
        <source>%1 副本</source>
        <translation>%1 copy</translation>
    </message>
    <message>
        <source>复制机型</source>
        <translation>Duplicate setup</translation>
    </message>
    <message>
        <source>机型未能复制</source>
        <translation>Setup not duplicated</translation>
    </message>
    <message>
        <source>重命名机型</source>
        <translation>Rename setup</translation>
    </message>
    <message>
        <source>机型未能重命名</source>
        <translation>Setup not renamed</translation>
    </message>
    <message>
        <source>机型未能删除</source>
        <translation>Setup not deleted</translation>
    </message>
    <message>
        <source>已把 %1 移到回收站</source>
        <translation>%1 moved to the trash</translation>
    </message>
    <message>
        <source>已删除 %1</source>
        <translation>%1 deleted</translation>
    </message>
    <message>
        <source>机型未能恢复</source>
        <translation>Setup not restored</translation>
    </message>
    <message>
        <source>已恢复 %1</source>
        <translation>%1 restored</translation>
    </message>
    <message>
        <source>写入时间未能记录：%1</source>
        <translation>Time of the write not recorded: %1</translation>
    </message>
    <message>
        <source>读取不完整：未与机型库比对</source>
        <translation>Read incomplete: not compared with the library</translation>
    </message>
    <message>
        <source>发射机当前：%1（%2）</source>
        <translation>Transmitter holds: %1 (%2)</translation>
    </message>
    <message>
        <source>与 %1 有 %2 项不同</source>
        <translation>%2 settings differ from %1</translation>
    </message>
    <message>
        <source>不在库中</source>
        <translation>Not in the library</translation>
    </message>
    <message>
        <source>从未写入</source>
        <translation>never written</translation>
    </message>
    <message>
        <source>刚刚写入</source>
        <translation>written just now</translation>
    </message>
    <message>
        <source>%1 分钟前写入</source>
        <translation>written %1 min ago</translation>
    </message>
    <message>
        <source>%1 小时前写入</source>
        <translation>written %1 h ago</translation>
    </message>
    <message>
        <source>%1 天前写入</source>
        <translation>written %1 days ago</translation>
    </message>
    <message>
        <source>机型：%1%2</source>
        <translation>Setup: %1%2</translation>
    </message>
    <message>
        <source>页面上的设置与机型文件不同，Ctrl+S 保存到机型</source>
        <translation>The pages differ from the setup file; Ctrl+S saves them to it</translation>
    </message>
    <message>
        <source>已保存到机型：%1</source>
        <translation>Saved to setup: %1</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Varnix&amp;Tolbane</source>
        <translation>Varnix&amp;Tolbane</translation>
    </message>
    <message>
        <source>打开串口</source>
        <translation>Open port</translation>
    </message>
    <message>
        <source>遥控:</source>
        <translation>TX:</translation>
    </message>
    <message>
        <source>动力:</source>
        <translation>Batt:</translation>
    </message>
    <message>
        <source>信号:</source>
        <translation>RSSI:</translation>
    </message>
    <message>
        <source>null</source>
        <translation>null</translation>
    </message>
    <message>
        <source> 0.0V</source>
        <translation> 0.0V</translation>
    </message>
    <message>
        <source>出厂设置</source>
        <translation>Defaults</translation>
    </message>
    <message>
        <source> 读取数据</source>
        <translation>Read</translation>
    </message>
    <message>
        <source>加载数据</source>
        <translation>Load</translation>
    </message>
    <message>
        <source>保存数据</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>写入数据</source>
        <translation>Write</translation>
    </message>
    <message>
        <source>接收:</source>
        <translation>RX:</translation>
    </message>
    <message>
        <source>舵量显示</source>
        <translation>Servo monitor</translation>
    </message>
    <message>
        <source>0</source>
        <translation>0</translation>
    </message>
    <message>
        <source>CH1</source>
        <translation>CH1</translation>
    </message>
    <message>
        <source>CH2</source>
        <translation>CH2</translation>
    </message>
    <message>
        <source>CH3</source>
        <translation>CH3</translation>
    </message>
    <message>
        <source>CH4</source>
        <translation>CH4</translation>
    </message>
    <message>
        <source>CH5</source>
        <translation>CH5</translation>
    </message>
    <message>
        <source>CH6</source>
        <translation>CH6</translation>
    </message>
    <message>
        <source>CH7</source>
        <translation>CH7</translation>
    </message>
    <message>
        <source>CH8</source>
        <translation>CH8</translation>
    </message>
    <message>
        <source>基础菜单</source>
        <translation>Basic</translation>
    </message>
    <message>
        <source>通道</source>
        <translation>Channel</translation>
    </message>
    <message>
        <source>CH1:</source>
        <translation>CH1:</translation>
    </message>
    <message>
        <source>CH2:</source>
        <translation>CH2:</translation>
    </message>
    <message>
        <source>CH3:</source>
        <translation>CH3:</translation>
    </message>
    <message>
        <source>CH4:</source>
        <translation>CH4:</translation>
    </message>
    <message>
        <source>CH5:</source>
        <translation>CH5:</translation>
    </message>
    <message>
        <source>CH6:</source>
        <translation>CH6:</translation>
    </message>
    <message>
        <source>CH7:</source>
        <translation>CH7:</translation>
    </message>
    <message>
        <source>CH8:</source>
        <translation>CH8:</translation>
    </message>
    <message>
        <source>舵机相位</source>
        <translation>Reverse</translation>
    </message>
    <message>
        <source>正相</source>
        <translation>NOR</translation>
    </message>
    <message>
        <source>反相</source>
        <translation>REV</translation>
    </message>
    <message>
        <source>中点微调</source>
        <translation>Sub-trim</translation>
    </message>
    <message>
        <source>舵机行程量--L---R---</source>
        <translation>End points (L/R)</translation>
    </message>
    <message>
        <source>舵机延迟</source>
        <translation>Servo delay</translation>
    </message>
    <message>
        <source>辅助通道</source>
        <translation>Aux channels</translation>
    </message>
    <message>
        <source>预留</source>
        <translation>Fixed</translation>
    </message>
    <message>
        <source>SwA</source>
        <translation>SwA</translation>
    </message>
    <message>
        <source>SwB</source>
        <translation>SwB</translation>
    </message>
    <message>
        <source>VrA</source>
        <translation>VrA</translation>
    </message>
    <message>
        <source>VrB/SwC</source>
        <translation>VrB/SwC</translation>
    </message>
    <message>
        <source>NULL</source>
        <translation>NULL</translation>
    </message>
    <message>
        <source>Lock-C</source>
        <translation>Lock-C</translation>
    </message>
    <message>
        <source>失控保护</source>
        <translation>Fail-safe</translation>
    </message>
    <message>
        <source>高级菜单1</source>
        <translation>Advanced 1</translation>
    </message>
    <message>
        <source>大小舵设置</source>
        <translation>Dual rate</translation>
    </message>
    <message>
        <source>混控:</source>
        <translation>Mix:</translation>
    </message>
    <message>
        <source>通道:</source>
        <translation>Ch:</translation>
    </message>
    <message>
        <source>开关:</source>
        <translation>Switch:</translation>
    </message>
    <message>
        <source>上档:</source>
        <translation>Up:</translation>
    </message>
    <message>
        <source>下档:</source>
        <translation>Down:</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Off</translation>
    </message>
    <message>
        <source>打开</source>
        <translation>On</translation>
    </message>
    <message>
        <source>SWA</source>
        <translation>SWA</translation>
    </message>
    <message>
        <source>姿态选择</source>
        <translation>Flight mode</translation>
    </message>
    <message>
        <source>姿态1:</source>
        <translation>Mode1:</translation>
    </message>
    <message>
        <source>姿态2:</source>
        <translation>Mode2:</translation>
    </message>
    <message>
        <source>姿态3:</source>
        <translation>Mode3:</translation>
    </message>
    <message>
        <source>姿态4:</source>
        <translation>Mode4:</translation>
    </message>
    <message>
        <source>姿态5:</source>
        <translation>Mode5:</translation>
    </message>
    <message>
        <source>姿态6:</source>
        <translation>Mode6:</translation>
    </message>
    <message>
        <source>升降副翼混控</source>
        <translation>Elevon mix</translation>
    </message>
    <message>
        <source>副翼1:</source>
        <translation>Ail 1:</translation>
    </message>
    <message>
        <source>副翼2:</source>
        <translation>Ail 2:</translation>
    </message>
    <message>
        <source>升降2:</source>
        <translation>Elev 2:</translation>
    </message>
    <message>
        <source>升降1:</source>
        <translation>Elev 1:</translation>
    </message>
    <message>
        <source>V型尾翼混控</source>
        <translation>V-tail mix</translation>
    </message>
    <message>
        <source>尾舵2:</source>
        <translation>Rud 2:</translation>
    </message>
    <message>
        <source>尾舵1:</source>
        <translation>Rud 1:</translation>
    </message>
    <message>
        <source>高级菜单2</source>
        <translation>Advanced 2</translation>
    </message>
    <message>
        <source>大小舵曲线</source>
        <translation>Dual rate / expo curve</translation>
    </message>
    <message>
        <source> 通道:</source>
        <translation>Ch:</translation>
    </message>
    <message>
        <source> 位置:</source>
        <translation>Pos:</translation>
    </message>
    <message>
        <source>比率:</source>
        <translation>Rate:</translation>
    </message>
    <message>
        <source>指数:</source>
        <translation>Expo:</translation>
    </message>
    <message>
        <source>UP</source>
        <translation>UP</translation>
    </message>
    <message>
        <source>DOWN</source>
        <translation>DOWN</translation>
    </message>
    <message>
        <source>油门曲线</source>
        <translation>Throttle curve</translation>
    </message>
    <message>
        <source>曲线点1:</source>
        <translation>Point 1:</translation>
    </message>
    <message>
        <source>曲线点2:</source>
        <translation>Point 2:</translation>
    </message>
    <message>
        <source>曲线点3:</source>
        <translation>Point 3:</translation>
    </message>
    <message>
        <source>曲线点4:</source>
        <translation>Point 4:</translation>
    </message>
    <message>
        <source>曲线点5:</source>
        <translation>Point 5:</translation>
    </message>
    <message>
        <source>曲线点6:</source>
        <translation>Point 6:</translation>
    </message>
    <message>
        <source>曲线点7:</source>
        <translation>Point 7:</translation>
    </message>
    <message>
        <source>混控设置</source>
        <translation>Mixes</translation>
    </message>
    <message>
        <source>可编程混控四</source>
        <translation>Prog. mix 4</translation>
    </message>
    <message>
        <source>主控:</source>
        <translation>Master:</translation>
    </message>
    <message>
        <source>被控:</source>
        <translation>Slave:</translation>
    </message>
    <message>
        <source>偏置:</source>
        <translation>Offset:</translation>
    </message>
    <message>
        <source>上边:</source>
        <translation>Upper:</translation>
    </message>
    <message>
        <source>下边:</source>
        <translation>Lower:</translation>
    </message>
    <message>
        <source>禁止</source>
        <translation>INH</translation>
    </message>
    <message>
        <source>可编程混控三</source>
        <translation>Prog. mix 3</translation>
    </message>
    <message>
        <source>可编程混控一</source>
        <translation>Prog. mix 1</translation>
    </message>
    <message>
        <source>可编程混控二</source>
        <translation>Prog. mix 2</translation>
    </message>
    <message>
        <source>系统设置</source>
        <translation>System</translation>
    </message>
    <message>
        <source>报警设置</source>
        <translation>Alarms</translation>
    </message>
    <message>
        <source>遥控器电压:</source>
        <translation>TX voltage:</translation>
    </message>
    <message>
        <source>接收机电压:</source>
        <translation>RX voltage:</translation>
    </message>
    <message>
        <source>动力电池电压:</source>
        <translation>Flight batt.:</translation>
    </message>
    <message>
        <source>RSSI信号:</source>
        <translation>RSSI:</translation>
    </message>
    <message>
        <source> 版本 / 模式</source>
        <translation>Version / mode</translation>
    </message>
    <message>
        <source>遥控器摇杆模式:</source>
        <translation>Stick mode:</translation>
    </message>
    <message>
        <source>遥控器固件版本:</source>
        <translation>TX firmware:</translation>
    </message>
    <message>
        <source>电脑调参APP版本:</source>
        <translation>App version:</translation>
    </message>
    <message>
        <source>V4.9</source>
        <translation>V4.9</translation>
    </message>
    <message>
        <source>    微调一:</source>
        <translation>Trim 1:</translation>
    </message>
    <message>
        <source>  微调二:</source>
        <translation>Trim 2:</translation>
    </message>
    <message>
        <source> 微调三:</source>
        <translation>Trim 3:</translation>
    </message>
    <message>
        <source> 微调四:</source>
        <translation>Trim 4:</translation>
    </message>
    <message>
        <source>重置数据</source>
        <translation>Reset data</translation>
    </message>
    <message>
        <source>请先打开串口</source>
        <translation>Open the port first.</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>写入后</source>
        <translation>After writing</translation>
    </message>
    <message>
        <source>出厂值</source>
        <translation>Factory</translation>
    </message>
    <message>
        <source>机型检查</source>
        <translation>Airframe check</translation>
    </message>
    <message>
        <source>机型检查：F7</source>
        <translation>Airframe check: F7</translation>
    </message>
</context>
<context>
    <name>PortListModel</name>
    <message>
        <source>USB 设备 (%1)</source>
        <translation>USB device (%1)</translation>
    </message>
    <message>
        <source>序列号 %1</source>
        <translation>serial %1</translation>
    </message>
    <message>
        <source>非 USB 串口</source>
        <translation>not a USB port</translation>
    </message>
</context>
<context>
    <name>PreferencesDialog</name>
    <message>
        <source>语言</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>下次启动时生效。</source>
        <translation>Takes effect at the next start.</translation>
    </message>
    <message>
        <source>写入</source>
        <translation>Writing</translation>
    </message>
    <message>
        <source>写入前确认</source>
        <translation>Review before writing</translation>
    </message>
    <message>
        <source>写入后校验</source>
        <translation>Verify after writing</translation>
    </message>
    <message>
        <source>设置</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>示波器记录</source>
        <translation>Scope recordings</translation>
    </message>
    <message>
        <source>浏览…</source>
        <translation>Browse…</translation>
    </message>
    <message>
        <source>记录文件夹</source>
        <translation>Recordings folder</translation>
    </message>
    <message>
        <source>机型库</source>
        <translation>Setups</translation>
    </message>
    <message>
        <source>机型库文件夹</source>
        <translation>Setups folder</translation>
    </message>
    <message>
        <source>连接</source>
        <translation>Connection</translation>
    </message>
    <message>
        <source>插上上次用过的 USB 适配器时自动打开串口</source>
        <translation>Open the port when the USB adapter used last is plugged in</translation>
    </message>
</context>
<context>
    <name>ReviewDialog</name>
    <message>
        <source>页面</source>
        <translation>Page</translation>
    </message>
    <message>
        <source>设置</source>
        <translation>Setting</translation>
    </message>
    <message>
        <source>发射机</source>
        <translation>Transmitter</translation>
    </message>
    <message>
        <source>写入</source>
        <translation>Write</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>读取</source>
        <translation>Read</translation>
    </message>
    <message>
        <source>仍然写入</source>
        <translation>Write anyway</translation>
    </message>
    <message>
        <source>写入前确认</source>
        <translation>Review before writing</translation>
    </message>
    <message>
        <source>不再询问</source>
        <translation>Don&apos;t ask again</translation>
    </message>
    <message>
        <source>发射机上将有 %1 项设置改变，已选 %2 项。未选的项保留发射机的值。</source>
        <translation>%1 settings will change on the transmitter, %2 selected. Unticked ones keep the transmitter&apos;s value.</translation>
    </message>
</context>
<context>
    <name>ScopeLauncher</name>
    <message>
        <source>%1 字节</source>
        <translation>%1 bytes</translation>
    </message>
    <message>
        <source>%1 kB</source>
        <translation>%1 kB</translation>
    </message>
    <message>
        <source>%1 MB</source>
        <translation>%1 MB</translation>
    </message>
    <message>
        <source>示波器</source>
        <translation>Scope</translation>
    </message>
    <message>
        <source>通道示波器：F5</source>
        <translation>Channel scope: F5</translation>
    </message>
    <message>
        <source>● 录制 %1 · %2</source>
        <translation>● REC %1 · %2</translation>
    </message>
    <message>
        <source>已录制 %1 · %2</source>
        <translation>Recorded %1 · %2</translation>
    </message>
    <message>
        <source>已写入的 %1 保留在 %2</source>
        <translation>The %1 written so far stay in %2</translation>
    </message>
    <message>
        <source>磁盘已满：%1</source>
        <translation>Disk full: %1</translation>
    </message>
    <message>
        <source>录制已停止：%1</source>
        <translation>Recording stopped: %1</translation>
    </message>
</context>
<context>
    <name>ScopeWidget</name>
    <message>
        <source>遥控电压</source>
        <translation>TX volts</translation>
    </message>
    <message>
        <source>接收电压</source>
        <translation>RX volts</translation>
    </message>
    <message>
        <source>动力电压</source>
        <translation>Power volts</translation>
    </message>
    <message>
        <source>信号</source>
        <translation>RSSI</translation>
    </message>
</context>
<context>
    <name>ScopeWindow</name>
    <message>
        <source>通道示波器</source>
        <translation>Channel scope</translation>
    </message>
    <message>
        <source>显示最近</source>
        <translation>Show the last</translation>
    </message>
    <message>
        <source>%1 秒</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>暂停</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>录制</source>
        <translation>Record</translation>
    </message>
    <message>
        <source>整个记录</source>
        <translation>Whole recording</translation>
    </message>
    <message>
        <source>打开记录…</source>
        <translation>Open recording…</translation>
    </message>
    <message>
        <source>导出 PNG…</source>
        <translation>Export PNG…</translation>
    </message>
    <message>
        <source>设置单…</source>
        <translation>Setup sheet…</translation>
    </message>
    <message>
        <source>曲线</source>
        <translation>Trace</translation>
    </message>
    <message>
        <source>光标</source>
        <translation>Cursor</translation>
    </message>
    <message>
        <source>最小</source>
        <translation>Min</translation>
    </message>
    <message>
        <source>最大</source>
        <translation>Max</translation>
    </message>
    <message>
        <source>平均</source>
        <translation>Mean</translation>
    </message>
    <message>
        <source>停止录制</source>
        <translation>Stop recording</translation>
    </message>
    <message>
        <source>打开记录</source>
        <translation>Open recording</translation>
    </message>
    <message>
        <source>记录 (*.csv);;所有文件 (*)</source>
        <translation>Recordings (*.csv);;All files (*)</translation>
    </message>
    <message>
        <source>记录 - %1</source>
        <translation>Recording - %1</translation>
    </message>
    <message numerus="yes">
        <source>%n 行，</source>
        <translation>
            <numerusform>%n row, </numerusform>
            <numerusform>%n rows, </numerusform>
        </translation>
    </message>
    <message>
        <source>读到第 %1 行为止（%2）：%3</source>
        <translation>Read up to line %1 (%2): %3</translation>
    </message>
    <message>
        <source>无法读取：%1</source>
        <translation>Cannot read: %1</translation>
    </message>
    <message>
        <source>导出 PNG</source>
        <translation>Export PNG</translation>
    </message>
    <message>
        <source>PNG 图片 (*.png)</source>
        <translation>PNG pictures (*.png)</translation>
    </message>
    <message>
        <source>无法写入 %1</source>
        <translation>Cannot write %1</translation>
    </message>
    <message>
        <source>正在读取 %p%</source>
        <translation>Reading %p%</translation>
    </message>
</context>
<context>
    <name>SetupSheet</name>
    <message>
        <source>Varnix&amp;Tolbane 设置单</source>
        <translation>Varnix&amp;Tolbane setup sheet</translation>
    </message>
    <message>
        <source>（窗口中的设置）</source>
        <translation>(the settings in the window)</translation>
    </message>
    <message>
        <source>文件：</source>
        <translation>File:</translation>
    </message>
    <message>
        <source>日期：</source>
        <translation>Date:</translation>
    </message>
    <message>
        <source>PDF 未能写入</source>
        <translation>The PDF could not be written</translation>
    </message>
    <message>
        <source>混控%1</source>
        <translation>Mix %1</translation>
    </message>
    <message>
        <source>大小舵曲线：比例 %1，指数 %2</source>
        <translation>Dual-rate curve: rate %1, expo %2</translation>
    </message>
    <message>
        <source>大小舵曲线：CH%1 %2，比例 %3，指数 %4</source>
        <translation>Dual-rate curve: CH%1 %2, rate %3, expo %4</translation>
    </message>
    <message>
        <source>未写入过</source>
        <translation>never</translation>
    </message>
    <message>
        <source>机型：%1</source>
        <translation>Type: %1</translation>
    </message>
    <message>
        <source>写入发射机：%1</source>
        <translation>Written to the transmitter: %1</translation>
    </message>
    <message>
        <source>%1：%2</source>
        <translation>%1: %2</translation>
    </message>
</context>
<context>
    <name>SetupTools</name>
    <message>
        <source>模板…</source>
        <translation>Template…</translation>
    </message>
    <message>
        <source>新机型模板：按机型设好混控、相位、行程和大小舵（Ctrl+T）</source>
        <translation>Template for a new aircraft: mixes, reverse, end points and dual rate for its airframe (Ctrl+T)</translation>
    </message>
    <message>
        <source>比较</source>
        <translation>Compare</translation>
    </message>
    <message>
        <source>比较页面、发射机和文件中的设置（Ctrl+D）</source>
        <translation>Compare the settings of the pages, the transmitter and files (Ctrl+D)</translation>
    </message>
    <message>
        <source>模板：%1</source>
        <translation>Template: %1</translation>
    </message>
    <message>
        <source>机型：%1</source>
        <translation>Setup: %1</translation>
    </message>
</context>
<context>
    <name>StatusPanel</name>
    <message>
        <source>正在读取</source>
        <translation>Reading</translation>
    </message>
    <message>
        <source>读取中断</source>
        <translation>Read stopped</translation>
    </message>
    <message>
        <source>正在写入</source>
        <translation>Writing</translation>
    </message>
    <message>
        <source>写入中断</source>
        <translation>Write stopped</translation>
    </message>
    <message>
        <source>正在恢复出厂设置</source>
        <translation>Restoring factory settings</translation>
    </message>
    <message>
        <source>恢复出厂设置中断</source>
        <translation>Factory reset stopped</translation>
    </message>
    <message>
        <source>正在重置数据</source>
        <translation>Resetting data</translation>
    </message>
    <message>
        <source>重置数据中断</source>
        <translation>Reset stopped</translation>
    </message>
    <message>
        <source>正在保存</source>
        <translation>Saving</translation>
    </message>
    <message>
        <source>保存中断</source>
        <translation>Save stopped</translation>
    </message>
    <message>
        <source>正在加载</source>
        <translation>Loading</translation>
    </message>
    <message>
        <source>加载中断</source>
        <translation>Load stopped</translation>
    </message>
    <message>
        <source>%1 已连接</source>
        <translation>%1 connected</translation>
    </message>
    <message>
        <source>未连接</source>
        <translation>Not connected</translation>
    </message>
    <message>
        <source>%1 已连接 · %2 包/秒</source>
        <translation>%1 connected · %2 packets/s</translation>
    </message>
    <message>
        <source>正在读取：已请求设置</source>
        <translation>Reading: settings requested</translation>
    </message>
    <message>
        <source>正在读取：等待设置</source>
        <translation>Reading: waiting for the settings</translation>
    </message>
    <message>
        <source>写入完成：%1 帧</source>
        <translation>Written: %1 frames</translation>
    </message>
    <message>
        <source>已恢复出厂设置</source>
        <translation>Factory settings restored</translation>
    </message>
    <message>
        <source>已保存 %1</source>
        <translation>Saved %1</translation>
    </message>
    <message>
        <source>已加载 %1</source>
        <translation>Loaded %1</translation>
    </message>
    <message>
        <source>%1：文件未写入</source>
        <translation>%1: the file was not written</translation>
    </message>
    <message>
        <source>%1：已发送 %2/%3 帧</source>
        <translation>%1: %2/%3 frames sent</translation>
    </message>
    <message>
        <source>串口已断开：%1</source>
        <translation>Port disconnected: %1</translation>
    </message>
    <message>
        <source>%1；%2</source>
        <translation>%1; %2</translation>
    </message>
    <message>
        <source>正在校验</source>
        <translation>Verifying</translation>
    </message>
    <message>
        <source>读取完成：%1/%2 段</source>
        <translation>Read: %1/%2 sections</translation>
    </message>
    <message>
        <source>读取不完整：收到 %1/%2 段（缺 %3）</source>
        <translation>Read incomplete: %1/%2 sections (missing %3)</translation>
    </message>
    <message>
        <source>未能校验：收到 %1/%2 段</source>
        <translation>Could not verify: %1/%2 sections</translation>
    </message>
    <message>
        <source>校验不符：%1 项（%2：发送 %3，读回 %4%5）</source>
        <translation>Verify: %1 settings differ (%2: sent %3, read %4%5)</translation>
    </message>
    <message>
        <source>写入并校验完成</source>
        <translation>Written and verified</translation>
    </message>
    <message>
        <source>%1：串口未打开，未发送</source>
        <translation>%1: no port open, nothing sent</translation>
    </message>
    <message>
        <source>撤销</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>重做</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>恢复</source>
        <translation>Revert</translation>
    </message>
    <message>
        <source>设置</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>撤销：%1</source>
        <translation>Undo: %1</translation>
    </message>
    <message>
        <source>重做：%1</source>
        <translation>Redo: %1</translation>
    </message>
    <message>
        <source>恢复为发射机的设置 (Ctrl+R)</source>
        <translation>Revert to the transmitter (Ctrl+R)</translation>
    </message>
    <message>
        <source>%1 项修改未写入</source>
        <translation>%1 edits not written</translation>
    </message>
    <message>
        <source>%1 已打开 · 等待数据</source>
        <translation>%1 open · waiting for data</translation>
    </message>
    <message>
        <source>%1 已打开 · 没有数据</source>
        <translation>%1 open · no data</translation>
    </message>
    <message>
        <source>串口已打开，但没有收到发射机的数据</source>
        <translation>Port open, but no data from the transmitter</translation>
    </message>
    <message>
        <source>：检查发射机已开机、数据线能传数据、串口选对、驱动已装好</source>
        <translation>: check the transmitter is on, the cable carries data, the port is right, the driver is installed</translation>
    </message>
    <message>
        <source>读取失败：发射机没有回答读取请求（0/%1 段），请再读一次</source>
        <translation>Read failed: the transmitter did not answer the request (0/%1 sections); read again</translation>
    </message>
</context>
<context>
    <name>Surfaces</name>
    <message>
        <source>右副翼</source>
        <translation>right aileron</translation>
    </message>
    <message>
        <source>左副翼</source>
        <translation>left aileron</translation>
    </message>
    <message>
        <source>升降舵</source>
        <translation>elevator</translation>
    </message>
    <message>
        <source>方向舵</source>
        <translation>rudder</translation>
    </message>
    <message>
        <source>右升降副翼</source>
        <translation>right elevon</translation>
    </message>
    <message>
        <source>左升降副翼</source>
        <translation>left elevon</translation>
    </message>
    <message>
        <source>右V尾舵面</source>
        <translation>right ruddervator</translation>
    </message>
    <message>
        <source>左V尾舵面</source>
        <translation>left ruddervator</translation>
    </message>
    <message>
        <source>油门</source>
        <translation>throttle</translation>
    </message>
    <message>
        <source>向右压副翼：右副翼应向上。你的飞机也这样吗？</source>
        <translation>Aileron right: the right aileron should go up. Does yours?</translation>
    </message>
    <message>
        <source>向右压副翼：左副翼应向下。你的飞机也这样吗？</source>
        <translation>Aileron right: the left aileron should go down. Does yours?</translation>
    </message>
    <message>
        <source>向右压副翼：右升降副翼应向上。你的飞机也这样吗？</source>
        <translation>Aileron right: the right elevon should go up. Does yours?</translation>
    </message>
    <message>
        <source>向右压副翼：左升降副翼应向下。你的飞机也这样吗？</source>
        <translation>Aileron right: the left elevon should go down. Does yours?</translation>
    </message>
    <message>
        <source>向后拉升降舵：升降舵应向上。你的飞机也这样吗？</source>
        <translation>Elevator back (pull): the elevator should go up. Does yours?</translation>
    </message>
    <message>
        <source>向后拉升降舵：右升降副翼应向上。你的飞机也这样吗？</source>
        <translation>Elevator back (pull): the right elevon should go up. Does yours?</translation>
    </message>
    <message>
        <source>向后拉升降舵：左升降副翼应向上。你的飞机也这样吗？</source>
        <translation>Elevator back (pull): the left elevon should go up. Does yours?</translation>
    </message>
    <message>
        <source>向后拉升降舵：右V尾舵面应向上。你的飞机也这样吗？</source>
        <translation>Elevator back (pull): the right ruddervator should go up. Does yours?</translation>
    </message>
    <message>
        <source>向后拉升降舵：左V尾舵面应向上。你的飞机也这样吗？</source>
        <translation>Elevator back (pull): the left ruddervator should go up. Does yours?</translation>
    </message>
    <message>
        <source>向右打方向舵：方向舵后缘应向右。你的飞机也这样吗？</source>
        <translation>Rudder right: the rudder&apos;s trailing edge should go right. Does yours?</translation>
    </message>
    <message>
        <source>向右打方向舵：左V尾舵面应向上。你的飞机也这样吗？</source>
        <translation>Rudder right: the left ruddervator should go up. Does yours?</translation>
    </message>
    <message>
        <source>向右打方向舵：右V尾舵面应向下。你的飞机也这样吗？</source>
        <translation>Rudder right: the right ruddervator should go down. Does yours?</translation>
    </message>
    <message>
        <source>CH%1 反向</source>
        <translation>CH%1 reversed</translation>
    </message>
    <message>
        <source>升降副翼比例%1 取反</source>
        <translation>elevon rate %1 negated</translation>
    </message>
    <message>
        <source>V型尾翼比例%1 取反</source>
        <translation>V-tail rate %1 negated</translation>
    </message>
</context>
<context>
    <name>TemplateDialog</name>
    <message>
        <source>新机型模板</source>
        <translation>Template for a new aircraft</translation>
    </message>
    <message>
        <source>机型：</source>
        <translation>Airframe:</translation>
    </message>
    <message>
        <source>摇杆模式 1 到 4：模式 2 左手油门和方向，右手副翼和升降</source>
        <translation>Stick mode 1 to 4: mode 2 has throttle and rudder on the left stick, aileron and elevator on the right</translation>
    </message>
    <message>
        <source>摇杆模式：</source>
        <translation>Stick mode:</translation>
    </message>
    <message>
        <source>页面</source>
        <translation>Page</translation>
    </message>
    <message>
        <source>设置</source>
        <translation>Setting</translation>
    </message>
    <message>
        <source>值</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>为什么</source>
        <translation>Why</translation>
    </message>
    <message>
        <source>其他设置保持不变。应用后可撤销（Ctrl+Z），写入前会列出所有改变。</source>
        <translation>Every other setting stays as it is. Ctrl+Z undoes the template; Write lists every change before it sends.</translation>
    </message>
    <message>
        <source>应用</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>%1 → %2</source>
        <translation>%1 → %2</translation>
    </message>
</context>
<context>
    <name>Templates</name>
    <message>
        <source>大小舵打开，SWA 开关切换大舵和小舵</source>
        <translation>Dual rate on: switch SWA picks high or low rate</translation>
    </message>
    <message>
        <source>大小舵用 SWA 开关</source>
        <translation>Dual rate on switch SWA</translation>
    </message>
    <message>
        <source>开关上档：大舵，全行程 100%</source>
        <translation>Switch UP: high rate, full throw 100%</translation>
    </message>
    <message>
        <source>开关下档：小舵 70%，动作柔和，适合起飞、降落和初飞</source>
        <translation>Switch DOWN: low rate 70%, gentle for take-off, landing and first flights</translation>
    </message>
    <message>
        <source>CH1 副翼正相：向右压副翼，右副翼向上、左副翼向下（一根 Y 线接两个舵机）</source>
        <translation>CH1 aileron normal: stick right, right aileron up, left aileron down (both servos on one Y-lead)</translation>
    </message>
    <message>
        <source>CH2 升降舵正相：拉杆，升降舵后缘向上</source>
        <translation>CH2 elevator normal: stick back, elevator trailing edge up</translation>
    </message>
    <message>
        <source>CH4 方向舵正相：向右打方向舵，方向舵后缘向右</source>
        <translation>CH4 rudder normal: rudder right, rudder trailing edge right</translation>
    </message>
    <message>
        <source>混控的两路共用这个舵机的行程：100% 让两路同时打满时用足舵机行程</source>
        <translation>The mix shares this servo&apos;s throw between two sticks: 100% uses all of it when both are at full</translation>
    </message>
    <message>
        <source>副翼和升降舵各有自己的舵机，升降副翼混控关闭</source>
        <translation>Aileron and elevator have servos of their own: elevon mix off</translation>
    </message>
    <message>
        <source>升降舵和方向舵各有自己的舵机，V型尾翼混控关闭</source>
        <translation>Elevator and rudder have servos of their own: V-tail mix off</translation>
    </message>
    <message>
        <source>副翼 CH1、升降舵 CH2、油门 CH3、方向舵 CH4，不用混控。CH1 正相：向右压副翼，右副翼向上、左副翼向下；反相则两侧都反过来。CH2 正相：拉杆，升降舵向上。CH4 正相：向右打方向舵，方向舵后缘向右。油门 CH3 的相位保留发射机原来的设置。</source>
        <translation>Aileron CH1, elevator CH2, throttle CH3, rudder CH4, no mixes. CH1 normal: stick right, right aileron up, left aileron down; reversed, both sides turn the other way. CH2 normal: stick back, elevator up. CH4 normal: rudder right, rudder trailing edge right. Throttle CH3 keeps the transmitter&apos;s reverse setting.</translation>
    </message>
    <message>
        <source>飞翼或三角翼：左升降副翼 CH1、右升降副翼 CH2、油门 CH3，升降副翼混控打开。副翼1 为正：向右压副翼，左升降副翼（CH1）向下；副翼2 为正：右升降副翼（CH2）向上。升降2 为正：拉杆，右升降副翼向上；升降1 为负：拉杆，左升降副翼也向上。改掉一个比例的正负号，只反转这一侧对这一个摇杆的动作；把 CH1 或 CH2 改成反相，这一侧的副翼和升降动作都会反过来。</source>
        <translation>Flying wing or delta: left elevon CH1, right elevon CH2, throttle CH3, elevon mix on. Ail 1 positive: stick right, left elevon (CH1) down; Ail 2 positive: right elevon (CH2) up. Elev 2 positive: stick back, right elevon up; Elev 1 negative: stick back, left elevon up too. Changing the sign of one rate turns only that side&apos;s response to that one stick; reversing CH1 or CH2 turns both the aileron and the elevator response of that side.</translation>
    </message>
    <message>
        <source>两个升降副翼各接一个通道，由混控同时做副翼和升降</source>
        <translation>Each elevon on a channel of its own; the mix makes them aileron and elevator at once</translation>
    </message>
    <message>
        <source>副翼1 +50%：向右压副翼，CH1 输出为正，左升降副翼向下</source>
        <translation>Ail 1 +50%: stick right, CH1 output positive, left elevon down</translation>
    </message>
    <message>
        <source>副翼2 +50%：向右压副翼，CH2 输出为正，右升降副翼向上</source>
        <translation>Ail 2 +50%: stick right, CH2 output positive, right elevon up</translation>
    </message>
    <message>
        <source>升降2 +50%：拉杆，CH2 输出为正，右升降副翼向上</source>
        <translation>Elev 2 +50%: stick back, CH2 output positive, right elevon up</translation>
    </message>
    <message>
        <source>升降1 -50%：拉杆，CH1 输出为负，左升降副翼（舵机反装）也向上</source>
        <translation>Elev 1 -50%: stick back, CH1 output negative, left elevon (mirrored servo) up too</translation>
    </message>
    <message>
        <source>CH1 正相：左升降副翼的方向由混控比例的正负号决定</source>
        <translation>CH1 normal: the signs of the mix rates set the left elevon&apos;s directions</translation>
    </message>
    <message>
        <source>CH2 正相：右升降副翼的方向由混控比例的正负号决定</source>
        <translation>CH2 normal: the signs of the mix rates set the right elevon&apos;s directions</translation>
    </message>
    <message>
        <source>V 尾：副翼 CH1、左 V 尾舵面 CH2、油门 CH3、右 V 尾舵面 CH4，V型尾翼混控打开。升降1 为正、升降2 为负：拉杆，两个 V 尾舵面都向上。尾舵1、尾舵2 为正：向右打方向舵，左 V 尾舵面向上、右 V 尾舵面向下。改掉一个比例的正负号，只反转这一侧对这一个摇杆的动作；把 CH2 或 CH4 改成反相，这一侧的升降和方向动作都会反过来。副翼与固定翼相同。</source>
        <translation>V-tail: aileron CH1, left ruddervator CH2, throttle CH3, right ruddervator CH4, V-tail mix on. Elev 1 positive, Elev 2 negative: stick back, both ruddervators up. Rud 1 and Rud 2 positive: rudder right, left ruddervator up, right ruddervator down. Changing the sign of one rate turns only that side&apos;s response to that one stick; reversing CH2 or CH4 turns both the elevator and the rudder response of that side. Ailerons as on the plane.</translation>
    </message>
    <message>
        <source>两个 V 尾舵面各接一个通道，由混控同时做升降和方向</source>
        <translation>Each ruddervator on a channel of its own; the mix makes them elevator and rudder at once</translation>
    </message>
    <message>
        <source>升降1 +50%：拉杆，CH2 输出为正，左 V 尾舵面向上</source>
        <translation>Elev 1 +50%: stick back, CH2 output positive, left ruddervator up</translation>
    </message>
    <message>
        <source>升降2 -50%：拉杆，CH4 输出为负，右 V 尾舵面（舵机反装）也向上</source>
        <translation>Elev 2 -50%: stick back, CH4 output negative, right ruddervator (mirrored servo) up too</translation>
    </message>
    <message>
        <source>尾舵2 +50%：向右打方向舵，CH4 输出为正，右 V 尾舵面向下</source>
        <translation>Rud 2 +50%: rudder right, CH4 output positive, right ruddervator down</translation>
    </message>
    <message>
        <source>尾舵1 +50%：向右打方向舵，CH2 输出为正，左 V 尾舵面向上</source>
        <translation>Rud 1 +50%: rudder right, CH2 output positive, left ruddervator up</translation>
    </message>
    <message>
        <source>CH2 正相：左 V 尾舵面的方向由混控比例的正负号决定</source>
        <translation>CH2 normal: the signs of the mix rates set the left ruddervator&apos;s directions</translation>
    </message>
    <message>
        <source>CH4 正相：右 V 尾舵面的方向由混控比例的正负号决定</source>
        <translation>CH4 normal: the signs of the mix rates set the right ruddervator&apos;s directions</translation>
    </message>
    <message>
        <source>滑翔机：副翼 CH1、升降舵 CH2、方向舵 CH4，没有油门，不用混控。CH1 正相：向右压副翼，右副翼向上、左副翼向下；反相则两侧都反过来。CH2 正相：拉杆，升降舵向上。CH4 正相：向右打方向舵，方向舵后缘向右。</source>
        <translation>Glider: aileron CH1, elevator CH2, rudder CH4, no throttle, no mixes. CH1 normal: stick right, right aileron up, left aileron down; reversed, both sides turn the other way. CH2 normal: stick back, elevator up. CH4 normal: rudder right, rudder trailing edge right.</translation>
    </message>
    <message>
        <source>滑翔机没有电机，油门曲线关闭</source>
        <translation>A glider has no motor: throttle curve off</translation>
    </message>
    <message>
        <source>摇杆模式：决定哪个摇杆控制副翼、升降、油门和方向</source>
        <translation>Stick mode: which stick works aileron, elevator, throttle and rudder</translation>
    </message>
</context>
<context>
    <name>VerifyBox</name>
    <message>
        <source>%1：发送 %2，读回 %3</source>
        <translation>%1: sent %2, read back %3</translation>
    </message>
    <message>
        <source>未能校验：收到 %1/%2 段，其余设置不知道是否已写入</source>
        <translation>Could not verify: %1/%2 sections came back; whether the rest were written is not known</translation>
    </message>
    <message>
        <source>校验不符：发射机有 %1 项设置与写入的不同</source>
        <translation>Verify failed: %1 settings on the transmitter differ from what was written</translation>
    </message>
    <message>
        <source>%1：未读回</source>
        <translation>%1: not read back</translation>
    </message>
    <message>
        <source>还有 %1 项</source>
        <translation>%1 more</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>再写一次</source>
        <translation>Write again</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>WriteReview</name>
    <message>
        <source>本次连接只读到发射机 %1/%2 段设置（缺 %3），其余设置不知道会被改成什么。</source>
        <translation>Only %1 of %2 sections of the transmitter&apos;s settings have been read in this connection (missing %3); what the Write changes in the rest is not known.</translation>
    </message>
    <message>
        <source>本次连接还没有读取发射机的设置，不知道写入会改变哪些设置。</source>
        <translation>The transmitter&apos;s settings have not been read in this connection, so what the Write will change is not known.</translation>
    </message>
    <message>
        <source>先读取，再确认要改变的设置？</source>
        <translation>Read first, then review what will change?</translation>
    </message>
    <message>
        <source>（窗口改的：%1）</source>
        <translation> (changed by the window: %1)</translation>
    </message>
    <message>
        <source>其中 %1 项不是你改的：窗口显示不了发射机的值，改成了窗口的值。</source>
        <translation>%1 of them you did not change: the window cannot show the transmitter&apos;s value and put its own.</translation>
    </message>
    <message>
        <source>摇杆模式 %1 → %2：所有摇杆的功能会改变</source>
        <translation>Stick mode %1 → %2: every stick changes its function</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>有 %1 项修改尚未写入发射机</source>
        <translation>%1 edits have not been written to the transmitter</translation>
    </message>
    <message>
        <source>写入</source>
        <translation>Write</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>放弃</source>
        <translation>Discard</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
</TS>
