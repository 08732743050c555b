<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>Cat</name>
    <message>
        <source>申し訳ございません、%1は対応していません。</source>
        <translation>Sorry, %1 is not supported.</translation>
    </message>
    <message>
        <source>&gt;使用可能です</source>
        <translation>&gt;available</translation>
    </message>
    <message>
        <source>&gt;他で使用中です</source>
        <translation>&gt;in use by another program</translation>
    </message>
</context>
<context>
    <name>Controller</name>
    <message>
        <source>%1 が起動していないので、内蔵の軌道計算で追尾します</source>
        <translation>%1 is not running; tracking with the built-in orbit computation</translation>
    </message>
    <message>
        <source>申し訳ございません、%1は対応していません。</source>
        <translation>Sorry, %1 is not supported.</translation>
    </message>
</context>
<context>
    <name>Panel</name>
    <message>
        <source>ここをクリック又は ALT+L で 衛星Mode の選択が出来ます。</source>
        <translation>Click here or press ALT+L to choose the satellite mode.</translation>
    </message>
    <message>
        <source>左ｸﾘｯｸ(ALT+F)でﾓｰﾄﾞ変更可</source>
        <translation>Left click (ALT+F) changes the mode</translation>
    </message>
    <message>
        <source>左ｸﾘｯｸ(ALT+G)でﾓｰﾄﾞ変更可</source>
        <translation>Left click (ALT+G) changes the mode</translation>
    </message>
    <message>
        <source>受信固定(&amp;R)</source>
        <translation>Fix &amp;RX</translation>
    </message>
    <message>
        <source>衛星固定(&amp;S)</source>
        <translation>Fix &amp;SAT</translation>
    </message>
    <message>
        <source>送信固定(&amp;T)</source>
        <translation>Fix &amp;TX</translation>
    </message>
    <message>
        <source>追従停止(&amp;P)</source>
        <translation>&amp;Pause</translation>
    </message>
    <message>
        <source>左ｸﾘｯｸで10Hz毎、右ｸﾘｯｸで100Hz毎のDOWN</source>
        <translation>DOWN by 10 Hz (left click) or 100 Hz (right click)</translation>
    </message>
    <message>
        <source>左ｸﾘｯｸで10Hz毎、右ｸﾘｯｸで100Hz毎のUP</source>
        <translation>UP by 10 Hz (left click) or 100 Hz (right click)</translation>
    </message>
    <message>
        <source>録</source>
        <translation>Rec</translation>
    </message>
    <message>
        <source>再</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>予告</source>
        <translation>Alert</translation>
    </message>
    <message>
        <source>予告サウンド</source>
        <translation>Alert sound</translation>
    </message>
    <message>
        <source>CW BeaconをSSBモードで受信する場合の補正(F9でもon/off可)</source>
        <translation>Correction for receiving a CW beacon in SSB mode (F9 toggles it)</translation>
    </message>
    <message>
        <source>衛星固定(SAT上のRX Freq)</source>
        <translation>Fix SAT (RX freq on the satellite)</translation>
    </message>
    <message>
        <source>Kepral32 Information ( DDE方式 )</source>
        <translation>Kepral32 Information ( DDE )</translation>
    </message>
    <message>
        <source>MSG ( ESC で閉 )</source>
        <translation>MSG ( ESC closes )</translation>
    </message>
    <message>
        <source>CW Message(DblClick=白紙 Enter=登録 Esc=中止)</source>
        <translation>CW Message(DblClick=clear Enter=save Esc=cancel)</translation>
    </message>
    <message>
        <source>MultiMode選択</source>
        <translation>MultiMode choice</translation>
    </message>
    <message>
        <source>衛星設定値</source>
        <translation>Satellite values</translation>
    </message>
    <message>
        <source>Set HomeFreq (Enterで登録 Escで中止)</source>
        <translation>Set HomeFreq (Enter saves, Esc cancels)</translation>
    </message>
    <message>
        <source>QSO Data (ALT+C でクリヤ)</source>
        <translation>QSO Data (ALT+C clears)</translation>
    </message>
    <message>
        <source>Code List (Enter or ESC で閉)</source>
        <translation>Code List (Enter or ESC closes)</translation>
    </message>
    <message>
        <source>Quick Memory(F1～F4 =Set、ﾀﾞﾌﾞﾙｸﾘｯｸ(sF1～)=QSY)</source>
        <translation>Quick Memory(F1-F4 =Set, double click(sF1-)=QSY)</translation>
    </message>
    <message>
        <source>上書き</source>
        <translation>OVR</translation>
    </message>
    <message>
        <source>環境設定(&amp;M)</source>
        <translation>Rig settings(&amp;M)</translation>
    </message>
    <message>
        <source>FT4(WSJT)の運用(&amp;4)</source>
        <translation>FT4 (WSJT) operation(&amp;4)</translation>
    </message>
    <message>
        <source>予告SKD(&amp;K)</source>
        <translation>Alert SKD(&amp;K)</translation>
    </message>
    <message>
        <source>SAT稼働状況</source>
        <translation>SAT status</translation>
    </message>
    <message>
        <source>tunavox を起動出来ません: </source>
        <translation>Cannot start tunavox: </translation>
    </message>
    <message>
        <source>SATdataが読めませんでした</source>
        <translation>Could not read SATdata</translation>
    </message>
    <message>
        <source>レジストリ方式</source>
        <translation>registry</translation>
    </message>
    <message>
        <source>DDE方式</source>
        <translation>DDE</translation>
    </message>
    <message>
        <source>内蔵軌道計算 Information</source>
        <translation>Built-in orbit Information</translation>
    </message>
    <message>
        <source>衛星登録のフォームが開いていますので、先に閉じて下さい</source>
        <translation>The satellite registration window is open; close it first</translation>
    </message>
    <message>
        <source>環境設定のフォームが開いていますので、先に閉じて下さい</source>
        <translation>The rig settings window is open; close it first</translation>
    </message>
    <message>
        <source>衛星名    : </source>
        <translation>Satellite : </translation>
    </message>
    <message>
        <source>FM衛星です、モード変更は出来ません</source>
        <translation>An FM satellite: the mode cannot be changed</translation>
    </message>
    <message>
        <source>挿入</source>
        <translation>INS</translation>
    </message>
    <message>
        <source>制御停止(&amp;P)</source>
        <translation>&amp;Stopped</translation>
    </message>
    <message>
        <source>モード補正を %1 しました。</source>
        <translation>Mode correction turned %1.</translation>
    </message>
    <message>
        <source>周波数不正です、バンド外では？</source>
        <translation>Invalid frequency: outside the band?</translation>
    </message>
    <message>
        <source>ここをﾀﾞﾌﾞﾙｸﾘｯｸすると Open にﾘﾄﾗｲします</source>
        <translation>Double click here to retry opening</translation>
    </message>
    <message>
        <source>左ｸﾘｯｸ(ALT+G)でﾓｰﾄﾞ、右ｸﾘｯｸでCW SPEED変更可</source>
        <translation>Left click (ALT+G) changes the mode, right click the CW speed</translation>
    </message>
    <message>
        <source>FM衛星ではﾓｰﾄﾞ変更不可</source>
        <translation>No mode change on an FM satellite</translation>
    </message>
    <message>
        <source>%1 諸元はCLICK here</source>
        <translation>%1: CLICK here for details</translation>
    </message>
    <message>
        <source>軌道要素の元期が1年以上離れているため予測しません (TLEを更新して下さい): </source>
        <translation>Not predicted, the element set is more than a year from its epoch (update the TLE): </translation>
    </message>
    <message>
        <source>B4_Velomira.ini を書けません</source>
        <translation>Cannot write B4_Velomira.ini</translation>
    </message>
    <message>
        <source>Velomira.ini を書けません</source>
        <translation>Cannot write Velomira.ini</translation>
    </message>
    <message>
        <source>メニュー「RIG設定」から衛星の変更・追加が可能です
初期の衛星データは&#x3000;AO-07&#x3000;のみです</source>
        <translation>Satellites can be changed and added from the menu &quot;RIG settings&quot;.
The initial satellite data holds AO-07 only.</translation>
    </message>
    <message>
        <source>SATdata.txt を作れません: </source>
        <translation>Cannot create SATdata.txt: </translation>
    </message>
    <message>
        <source>SATdata.txt を更新できません: </source>
        <translation>Cannot update SATdata.txt: </translation>
    </message>
    <message>
        <source>フォルダを作れません: </source>
        <translation>Cannot create the folder: </translation>
    </message>
</context>
<context>
    <name>PortProblem</name>
    <message>
        <source>%1 が見つかりません。ケーブルはつながっていますか？無線機の電源は入っていますか？</source>
        <translation>%1: no such device. Is the cable connected and the rig switched on?</translation>
    </message>
    <message>
        <source>%1 を開く権限がありません。</source>
        <translation>%1: permission denied.</translation>
    </message>
    <message>
        <source>%1 を開く権限がありません。グループ %2 に入ってください:
sudo usermod -aG %2 $USER
(そのあとログインし直してください)</source>
        <translation>%1: permission denied. The device belongs to the group %2; join it with
sudo usermod -aG %2 $USER
and log in again.</translation>
    </message>
    <message>
        <source>%1 は他で使用中です。そのプログラムを終了してください。</source>
        <translation>%1: busy, another program holds it; close that program.</translation>
    </message>
    <message>
        <source>%1 は他で使用中です (%2)。そのプログラムを終了してください。</source>
        <translation>%1: busy, held by %2; close that program.</translation>
    </message>
</context>
<context>
    <name>SatelliteTable</name>
    <message>
        <source>SATdataが読めませんでした: </source>
        <translation>Could not read SATdata: </translation>
    </message>
    <message>
        <source>SATdata.txt %1行目: 項目の数が%2個です(10個のはずです)</source>
        <translation>SATdata.txt line %1: %2 items (there should be 10)</translation>
    </message>
    <message>
        <source>SATdata.txt %1行目: 周波数が数値ではありません: %2</source>
        <translation>SATdata.txt line %1: a frequency is not a number: %2</translation>
    </message>
</context>
<context>
    <name>Tracking</name>
    <message>
        <source>局の位置が正しくありません: 緯度 %1 / 経度 %2 ([QTH] Latitude / Longitude)</source>
        <translation>The station position is invalid: latitude %1 / longitude %2 ([QTH] Latitude / Longitude)</translation>
    </message>
    <message>
        <source>グリッドロケーター &quot;%1&quot; が正しくありません ([QTH] Locator)</source>
        <translation>The grid locator &quot;%1&quot; is invalid ([QTH] Locator)</translation>
    </message>
    <message>
        <source>局の位置が設定されていません: Velomira.ini の [QTH] に Latitude と Longitude (度)、または Locator を設定して下さい</source>
        <translation>The station position is not set: set Latitude and Longitude (degrees), or Locator, in [QTH] of Velomira.ini</translation>
    </message>
    <message>
        <source>選択されていた衛星 %1 の軌道要素がないので自動選択にします</source>
        <translation>No element set for the chosen satellite %1; choosing automatically</translation>
    </message>
    <message>
        <source>TLEファイルが読めません: %1</source>
        <translation>Cannot read the TLE file: %1</translation>
    </message>
    <message>
        <source>TLEファイル %1 に軌道要素がありません</source>
        <translation>The TLE file %1 holds no element sets</translation>
    </message>
    <message>
        <source>TLEファイル %1 に衛星テーブルの衛星の軌道要素がありません</source>
        <translation>The TLE file %1 holds no element set of a satellite in the table</translation>
    </message>
    <message>
        <source>TLEファイル %1 がありません</source>
        <translation>The TLE file %1 does not exist</translation>
    </message>
    <message>
        <source>%1 の軌道を計算できません (軌道要素が古いか正しくありません)</source>
        <translation>Cannot compute the orbit of %1 (the element set is old or invalid)</translation>
    </message>
    <message>
        <source>衛星 %1 の軌道要素がありません</source>
        <translation>No element set for the satellite %1</translation>
    </message>
    <message>
        <source>%1 の %2 が応答しません</source>
        <translation>%2 of %1 does not answer</translation>
    </message>
    <message>
        <source>軌道計算プログラムが%1立ち上がっています<byte value="xd"/>
申し訳ありませんが %2 を採用致します</source>
        <translation>%1 orbit-tracking programs are running.<byte value="xd"/>
Sorry, %2 will be used.</translation>
    </message>
    <message>
        <source>２つ(Kepral32 &amp; Ornik)</source>
        <translation>Two (Kepral32 &amp; Ornik)</translation>
    </message>
    <message>
        <source>２つ(Kepral32 &amp; Kepral99)</source>
        <translation>Two (Kepral32 &amp; Kepral99)</translation>
    </message>
    <message>
        <source>２つ(Kepral99 &amp; Ornik)</source>
        <translation>Two (Kepral99 &amp; Ornik)</translation>
    </message>
    <message>
        <source>３つ(Kepral32 &amp; Ornik &amp; Kepral99)</source>
        <translation>Three (Kepral32 &amp; Ornik &amp; Kepral99)</translation>
    </message>
    <message>
        <source>Velomira をご利用ありがとうございます。&#x3000;m(_ _)m&#x3000;<byte value="xd"/>
<byte value="xd"/>
Velomiraは事前に[Kepral32]か[Kepral99]あるいは[Ornik]が起動している事が前提です。<byte value="xd"/>
<byte value="xd"/>
現在その前提条件を満たしておりません、申し訳ありませんが私(Velomira)は終了致します。<byte value="xd"/>
<byte value="xd"/>
「OK」を押す前に上記ご対応頂ければ続行可能です</source>
        <translation>Thank you for using Velomira.<byte value="xd"/>
<byte value="xd"/>
Velomira expects [Kepral32], [Kepral99] or [Ornik] to be running.<byte value="xd"/>
<byte value="xd"/>
None is running now; sorry, Velomira will end.<byte value="xd"/>
<byte value="xd"/>
Start one of them before pressing &quot;OK&quot; to carry on.</translation>
    </message>
</context>
<context>
    <name>Velomira</name>
    <message>
        <source>tunavox がありませんので起動出来ません</source>
        <translation>Cannot start: tunavox is missing</translation>
    </message>
</context>
<context>
    <name>vm::PanelWindow</name>
    <message>
        <source>了解</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>設定(&amp;M)</source>
        <translation>Settings(&amp;M)</translation>
    </message>
    <message>
        <source>&amp;Emgﾛｸﾞ</source>
        <translation>&amp;Emg log</translation>
    </message>
    <message>
        <source>ＱuickQSY(&amp;Y)</source>
        <translation>QuickQSY(&amp;Y)</translation>
    </message>
    <message>
        <source>終了(&amp;Q)</source>
        <translation>&amp;Quit</translation>
    </message>
    <message>
        <source>バージョン</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>TLE 参照(AMSAT daily.all)</source>
        <translation>TLE source (AMSAT daily.all)</translation>
    </message>
</context>
<context>
    <name>vm::RigSettingsWindow</name>
    <message>
        <source>終了</source>
        <translation>End</translation>
    </message>
</context>
<context>
    <name>vm::SatelliteChooserDialog</name>
    <message>
        <source>衛星の選択</source>
        <translation>Choose a satellite</translation>
    </message>
    <message>
        <source>衛星</source>
        <translation>Satellite</translation>
    </message>
    <message>
        <source>仰角</source>
        <translation>Elevation</translation>
    </message>
    <message>
        <source>次のAOS</source>
        <translation>Next AOS</translation>
    </message>
    <message>
        <source>自動</source>
        <translation>Automatic</translation>
    </message>
    <message>
        <source>要素が古い</source>
        <translation>Old elements</translation>
    </message>
    <message>
        <source>運用中</source>
        <translation>In view</translation>
    </message>
    <message>
        <source>局の位置がありません ([QTH] Latitude/Longitude か Locator を設定して下さい)</source>
        <translation>No station position (set [QTH] Latitude/Longitude or Locator)</translation>
    </message>
    <message>
        <source>TLE ファイルが読めません: </source>
        <translation>Cannot read the TLE file: </translation>
    </message>
</context>
</TS>
