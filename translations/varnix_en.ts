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
        <source>升降副翼比例%1</source>
        <translation>Elevon rate %1</translation>
    </message>
    <message>
        <source>V型尾翼混控</source>
        <translation>V-tail mix</translation>
    </message>
    <message>
        <source>V型尾翼比例%1</source>
        <translation>V-tail rate %1</translation>
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
        <source>大小舵曲线：比例 %1%，指数 %2%</source>
        <translation>Dual rate curve: rate %1%, expo %2%</translation>
    </message>
    <message>
        <source>油门曲线：%1</source>
        <translation>Throttle curve: %1</translation>
    </message>
    <message>
        <source>PDF 未能写入</source>
        <translation>The PDF could not be written</translation>
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
