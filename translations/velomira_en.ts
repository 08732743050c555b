<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>AdifFile</name>
    <message>
        <source>ADIFファイルが設定されていません</source>
        <translation>No ADIF file set</translation>
    </message>
    <message>
        <source>ADIFファイルを開けません: %1 (%2)</source>
        <translation>Cannot open the ADIF file: %1 (%2)</translation>
    </message>
    <message>
        <source>ADIFファイルに書き込めません: %1 (%2)</source>
        <translation>Cannot write the ADIF file: %1 (%2)</translation>
    </message>
</context>
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
    <name>HamlogLink</name>
    <message>
        <source>Turbo HAMLOG/Winが起動していません。</source>
        <translation>Turbo HAMLOG/Win is not running.</translation>
    </message>
    <message>
        <source>Wine経由の接続が使えません: %1</source>
        <translation>The link through Wine is not available: %1</translation>
    </message>
    <message>
        <source>Turbo HAMLOG/Winの版 (%1) が古いため転送できません</source>
        <translation>Turbo HAMLOG/Win version (%1) is too old to transfer to</translation>
    </message>
    <message>
        <source>Shift_JISで送れない文字があります: %1</source>
        <translation>Some characters cannot be sent in Shift_JIS: %1</translation>
    </message>
    <message>
        <source>Turbo HAMLOG/Winに送れませんでした: %1</source>
        <translation>Could not send to Turbo HAMLOG/Win: %1</translation>
    </message>
    <message>
        <source>Turbo HAMLOG/Winが入力を受け付けませんでした</source>
        <translation>Turbo HAMLOG/Win did not accept the entry</translation>
    </message>
</context>
<context>
    <name>Logbook</name>
    <message>
        <source>未交信</source>
        <translation>not worked</translation>
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
    <message>
        <source>Hamlog転送(&amp;H)</source>
        <translation>&amp;Hamlog transfer</translation>
    </message>
    <message>
        <source>%1 出現間近!</source>
        <translation>%1 rising soon!</translation>
    </message>
    <message>
        <source>停</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>「設定」から「録音設定」で保存場所を設定して下さい</source>
        <translation>Set the folder for recordings under “Settings” → “Recording settings”.</translation>
    </message>
    <message>
        <source>再生ファイルを指定します</source>
        <translation>Choose the file to play</translation>
    </message>
    <message>
        <source>再生ﾃﾞｰﾀ (*.WAV *.wav)</source>
        <translation>Sound files (*.WAV *.wav)</translation>
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
    <name>ScheduleCheck</name>
    <message>
        <source>予告SKD完了</source>
        <translation>Alert SKD done</translation>
    </message>
    <message>
        <source>あと%1分(%2)で<byte value="xd"/>
%3が来ます！</source>
        <translation>In %1 min (%2)<byte value="xd"/>
%3 is coming!</translation>
    </message>
    <message>
        <source>%1分後に%2の%3到来</source>
        <translation>%3 AOS at %2 (in %1 min)</translation>
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
    <name>TrackingViewModel</name>
    <message>
        <source>仰角 %1°</source>
        <translation>El %1°</translation>
    </message>
    <message>
        <source>LOS %1</source>
        <translation>LOS %1</translation>
    </message>
    <message>
        <source>AOS %1</source>
        <translation>AOS %1</translation>
    </message>
    <message>
        <source>軌道要素が古くなっています (元期 %1、%2 日前): TLEファイルを更新して下さい</source>
        <translation>The element set is old (epoch %1, %2 days ago): update the TLE file</translation>
    </message>
    <message>
        <source>衛星が選ばれていません</source>
        <translation>No satellite selected</translation>
    </message>
    <message>
        <source>局の位置が設定されていません: Velomira.ini の [QTH] に Latitude と Longitude (度)、または Locator を設定して下さい</source>
        <translation>The station position is not set: set Latitude and Longitude (degrees), or Locator, in [QTH] of Velomira.ini</translation>
    </message>
    <message>
        <source>TLEファイルが読めません: %1</source>
        <translation>Cannot read the TLE file: %1</translation>
    </message>
    <message>
        <source>TLEファイル %1 に %2 の軌道要素がありません</source>
        <translation>The TLE file %1 holds no element set for %2</translation>
    </message>
    <message>
        <source>%1 の軌道を計算できません (減衰したか軌道要素が正しくありません)</source>
        <translation>Cannot compute the orbit of %1 (decayed, or the element set is invalid)</translation>
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
    <name>WsjtxSender</name>
    <message>
        <source>UDP送信に失敗しました: %1:%2 (%3)</source>
        <translation>UDP send failed: %1:%2 (%3)</translation>
    </message>
    <message>
        <source>UDPの送り先が正しくありません: %1:%2</source>
        <translation>Invalid UDP destination: %1:%2</translation>
    </message>
</context>
<context>
    <name>contact</name>
    <message>
        <source>QTHcode =%1 と、局の（移動）エリア=%2 が一致しません
このまま転送しますか？</source>
        <translation>QTHcode =%1 does not match the station (portable) area=%2
Transfer anyway?</translation>
    </message>
</context>
<context>
    <name>vm::ContactLogger</name>
    <message>
        <source>ADIFファイル</source>
        <translation>ADIF file</translation>
    </message>
    <message>
        <source>WSJT-X UDP</source>
        <translation>WSJT-X UDP</translation>
    </message>
    <message>
        <source>Turbo HAMLOG/Win</source>
        <translation>Turbo HAMLOG/Win</translation>
    </message>
    <message>
        <source>送り先が選ばれていません</source>
        <translation>No destination selected</translation>
    </message>
    <message>
        <source>Wine経由の接続が使えません (wine か vmbridge.exe がありません)</source>
        <translation>The link through Wine is not available (wine or vmbridge.exe is missing)</translation>
    </message>
</context>
<context>
    <name>vm::EditorButtons</name>
    <message>
        <source>衛星登録</source>
        <translation>Satellites</translation>
    </message>
    <message>
        <source>衛星の周波数表 (SATdata.txt) を編集します</source>
        <translation>Edit the satellite frequency table (SATdata.txt)</translation>
    </message>
    <message>
        <source>リグのコンビ登録</source>
        <translation>Rig combinations</translation>
    </message>
    <message>
        <source>衛星によってリグの構成を切り替えます</source>
        <translation>Switch the rig set-up for particular satellites</translation>
    </message>
    <message>
        <source>offset保存</source>
        <translation>Save offsets</translation>
    </message>
    <message>
        <source>全衛星のoffsetをリグ構成ごとのファイルに保存します</source>
        <translation>Save the offsets of all satellites to a file for this rig set-up</translation>
    </message>
    <message>
        <source>offset読込</source>
        <translation>Load offsets</translation>
    </message>
    <message>
        <source>保存したoffsetを Velomira.ini に書き戻します</source>
        <translation>Write saved offsets back into Velomira.ini</translation>
    </message>
    <message>
        <source>WSJT-X/JTDX</source>
        <translation>WSJT-X/JTDX</translation>
    </message>
    <message>
        <source>パネルから起動する WSJT-X または JTDX とリグ名</source>
        <translation>The WSJT-X or JTDX program the panel starts, and its rig name</translation>
    </message>
    <message>
        <source>リグコン無しの為対象外です</source>
        <translation>No rig is controlled, so there is nothing to do</translation>
    </message>
    <message>
        <source>%1用のoffsetデータをバックアップ保存します
何らかの理由でVelomira.iniから消えてしまった時のバックアップ用です</source>
        <translation>The offsets for %1 are now backed up.
The backup is for when they get lost from Velomira.ini for some reason.</translation>
    </message>
    <message>
        <source>%1用のoffsetデータを読み込みます</source>
        <translation>The offsets for %1 are now read back.</translation>
    </message>
    <message>
        <source>オフセットデータを書き換えます</source>
        <translation>Rewrite the offset data</translation>
    </message>
    <message>
        <source>offsetﾃﾞｰﾀ (*_offset.dat *_Offset.dat *_OFFSET.dat)</source>
        <translation>Offset data (*_offset.dat *_Offset.dat *_OFFSET.dat)</translation>
    </message>
    <message>
        <source>%1 は %2 用のoffsetデータではありません</source>
        <translation>%1 is not the offset backup %2</translation>
    </message>
    <message>
        <source>Velomira.ini に書き込めませんでした</source>
        <translation>Velomira.ini could not be written</translation>
    </message>
    <message>
        <source>%1件のoffsetデータを書き戻しました</source>
        <translation>%1 offsets written back</translation>
    </message>
</context>
<context>
    <name>vm::LogDestinationsDialog</name>
    <message>
        <source>QSOの送り先</source>
        <translation>QSO destinations</translation>
    </message>
    <message>
        <source>参照</source>
        <translation>Browse</translation>
    </message>
    <message>
        <source>ADIFファイル</source>
        <translation>ADIF file</translation>
    </message>
    <message>
        <source>IPアドレス（マルチキャストも可）</source>
        <translation>IP address (multicast allowed)</translation>
    </message>
</context>
<context>
    <name>vm::LogResult</name>
    <message>
        <source>どの送り先にも記録できませんでした。QSOは入力欄に残します。</source>
        <translation>Could not log to any destination. The QSO stays in the input fields.</translation>
    </message>
    <message>
        <source>一部の送り先に記録できませんでした。</source>
        <translation>Could not log to some destinations.</translation>
    </message>
</context>
<context>
    <name>vm::OrbitDataUpdate</name>
    <message>
        <source>元のファイルはそのまま使います。</source>
        <translation>The original file stays in use.</translation>
    </message>
    <message>
        <source>ダウンロードしたデータが大きすぎます (%1 バイト超)。</source>
        <translation>The downloaded data is too large (over %1 bytes).</translation>
    </message>
    <message>
        <source>軌道要素をダウンロードできません: %1。</source>
        <translation>Cannot download the element sets: %1.</translation>
    </message>
    <message>
        <source>サーバーの応答が異常です (HTTP %1)。</source>
        <translation>Unexpected server response (HTTP %1).</translation>
    </message>
    <message>
        <source>ダウンロードしたデータは使えません: %1。</source>
        <translation>The downloaded data is unusable: %1.</translation>
    </message>
    <message>
        <source>軌道要素ファイル %1 を書き込めません: %2。</source>
        <translation>Cannot write the element file %1: %2.</translation>
    </message>
    <message>
        <source>軌道要素を更新しました。</source>
        <translation>Element sets updated.</translation>
    </message>
    <message>
        <source>%1 行目: %2</source>
        <translation>Line %1: %2</translation>
    </message>
    <message>
        <source>軌道要素がありません</source>
        <translation>No element sets</translation>
    </message>
    <message>
        <source>%1 のエポック %2 がありえない日付です</source>
        <translation>The epoch %2 of %1 is an impossible date</translation>
    </message>
    <message>
        <source>軌道要素ファイル %1 がありません。</source>
        <translation>The element file %1 does not exist.</translation>
    </message>
    <message>
        <source>軌道要素ファイル %1 は使えません: %2。</source>
        <translation>The element file %1 is unusable: %2.</translation>
    </message>
    <message>
        <source>軌道要素 %1 件、最新のエポック %2 UTC (%3 日前)。</source>
        <translation>%1 element sets, latest epoch %2 UTC (%3 days ago).</translation>
    </message>
</context>
<context>
    <name>vm::PanelCore</name>
    <message>
        <source>送り先: %1（右クリックで選択）</source>
        <translation>Log to: %1 (right click to choose)</translation>
    </message>
    <message>
        <source>なし</source>
        <translation>None</translation>
    </message>
    <message>
        <source>WSJT-XのADIF LOGが見つかりません</source>
        <translation>WSJT-X ADIF LOG not found</translation>
    </message>
    <message>
        <source>CALL欄が空欄です</source>
        <translation>The CALL field is empty</translation>
    </message>
    <message>
        <source>MST が読めませんでした</source>
        <translation>Could not read MST</translation>
    </message>
    <message>
        <source> は見つかりませんでした</source>
        <translation> was not found</translation>
    </message>
    <message>
        <source>起動オプションの設定がありません。</source>
        <translation>The start option is not set.</translation>
    </message>
    <message>
        <source>%1 を起動出来ません</source>
        <translation>Cannot start %1</translation>
    </message>
    <message>
        <source>UDPポート %1 で受信できません（ADIF LOGを監視します）: %2</source>
        <translation>Cannot listen on UDP port %1 (watching the ADIF log instead): %2</translation>
    </message>
    <message>
        <source>ヘルプを開けません: %1</source>
        <translation>Cannot open the help: %1</translation>
    </message>
    <message>
        <source>ウォーターフォールのプログラムを起動出来ません</source>
        <translation>Cannot start the waterfall program</translation>
    </message>
    <message>
        <source>予告スケジュール</source>
        <translation>Alert schedule</translation>
    </message>
    <message>
        <source>登録/閉</source>
        <translation>Register/Close</translation>
    </message>
    <message>
        <source>ｸﾘｱ</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>マクロ作成して&#x3000;登録/閉</source>
        <translation>Write macro, Register/Close</translation>
    </message>
    <message>
        <source>開 Macro.txt</source>
        <translation>Open Macro.txt</translation>
    </message>
    <message>
        <source>マクロ文に予告時間を加味する</source>
        <translation>Apply the alert time in the macro</translation>
    </message>
    <message>
        <source>予告サウンド</source>
        <translation>Alert sound</translation>
    </message>
    <message>
        <source>予告メール</source>
        <translation>Alert mail</translation>
    </message>
    <message>
        <source>スケジュールを保存できません: %1</source>
        <translation>Cannot save the schedule: %1</translation>
    </message>
    <message>
        <source>予告スケジュール未設定</source>
        <translation>No alert schedule set</translation>
    </message>
    <message>
        <source>スケジュールを保存できません</source>
        <translation>Cannot save the schedule</translation>
    </message>
    <message>
        <source>スケジュール表が今日のものではありません
本日分を作成下さい</source>
        <translation>The schedule is not today&apos;s.
Please make today&apos;s.</translation>
    </message>
    <message>
        <source>Kepral32のフォルダが見つかりませんでした
Velomiraのフォルダに作成します。</source>
        <translation>Kepral32&apos;s folder was not found.
The macro is written to Velomira&apos;s folder.</translation>
    </message>
    <message>
        <source>登録すべき予告データがありません</source>
        <translation>There are no passes to register</translation>
    </message>
    <message>
        <source>MACRO.TXT は上書きされます、よろしいですか？
上書きされては困る場合は「いいえ」として下さい。</source>
        <translation>MACRO.TXT will be overwritten. Continue?
Answer &quot;No&quot; if it must not be overwritten.</translation>
    </message>
    <message>
        <source>マクロ(MACRO.TXT)は作成されませんでした。</source>
        <translation>The macro (MACRO.TXT) was not written.</translation>
    </message>
    <message>
        <source>Macro.txt を書けません: %1</source>
        <translation>Cannot write Macro.txt: %1</translation>
    </message>
    <message>
        <source>現在マクロ実行中ですので
マクロを一旦終了させないと今回作成したマクロは適用されません。</source>
        <translation>A macro is running now:
the new macro applies only after that macro is ended.</translation>
    </message>
    <message>
        <source>マクロが今日のものではないと思われます。</source>
        <translation>The macro does not seem to be today&apos;s.</translation>
    </message>
    <message>
        <source>HWCVお知らせツールが起動していないのでは？</source>
        <translation>Is the HWCV notice tool not running?</translation>
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
    <message>
        <source>変数： #G →挨拶&#x3000;#C →Call欄のCall</source>
        <translation>Macros: #G → greeting  #C → the call in the Call box</translation>
    </message>
</context>
<context>
    <name>vm::RigCombinationWindow</name>
    <message>
        <source>リグのコンビ登録</source>
        <translation>Rig combinations</translation>
    </message>
    <message>
        <source>このリグ構成を使う衛星 (複数選択可)</source>
        <translation>Satellites that use this rig set-up (several may be chosen)</translation>
    </message>
    <message>
        <source>リグ1</source>
        <translation>Rig 1</translation>
    </message>
    <message>
        <source>リグ2</source>
        <translation>Rig 2</translation>
    </message>
    <message>
        <source>制御間隔</source>
        <translation>Poll interval</translation>
    </message>
    <message>
        <source>リグ制御</source>
        <translation>Rig control</translation>
    </message>
    <message>
        <source>登録済み リグ1:</source>
        <translation>Registered rig 1:</translation>
    </message>
    <message>
        <source>リグ2:</source>
        <translation>Rig 2:</translation>
    </message>
    <message>
        <source>制御間隔:</source>
        <translation>Poll interval:</translation>
    </message>
    <message>
        <source>登録</source>
        <translation>Register</translation>
    </message>
</context>
<context>
    <name>vm::RigSettingsWindow</name>
    <message>
        <source>終了</source>
        <translation>End</translation>
    </message>
    <message>
        <source>上書き</source>
        <translation>OVR</translation>
    </message>
    <message>
        <source>クリックまたは Insert キーで上書きと挿入を切替</source>
        <translation>Click or press Insert to switch between overwrite and insert</translation>
    </message>
    <message>
        <source>リグ</source>
        <translation>Rig</translation>
    </message>
    <message>
        <source>リグ1</source>
        <translation>Rig 1</translation>
    </message>
    <message>
        <source>リグ2</source>
        <translation>Rig 2</translation>
    </message>
    <message>
        <source>使うリグの組み合わせ</source>
        <translation>Rigs in use</translation>
    </message>
    <message>
        <source>リグ制御</source>
        <translation>Rig control</translation>
    </message>
    <message>
        <source>リグの周波数を読み書きする間隔</source>
        <translation>Interval for reading and writing the rig frequency</translation>
    </message>
    <message>
        <source>制御間隔</source>
        <translation>Poll interval</translation>
    </message>
    <message>
        <source>追尾</source>
        <translation>Tracking</translation>
    </message>
    <message>
        <source>周波数の補正に使う軌道計算</source>
        <translation>Orbit computation used for the frequency correction</translation>
    </message>
    <message>
        <source>内蔵の軌道計算</source>
        <translation>Built-in orbit computation</translation>
    </message>
    <message>
        <source>追尾ソフト</source>
        <translation>Tracking program</translation>
    </message>
    <message>
        <source>緯度</source>
        <translation>Latitude</translation>
    </message>
    <message>
        <source>度、北が正 (例 35.68)</source>
        <translation>Degrees, north positive (e.g. 35.68)</translation>
    </message>
    <message>
        <source>経度</source>
        <translation>Longitude</translation>
    </message>
    <message>
        <source>度、東が正 (例 139.77)</source>
        <translation>Degrees, east positive (e.g. 139.77)</translation>
    </message>
    <message>
        <source>高さ</source>
        <translation>Height</translation>
    </message>
    <message>
        <source>海抜メートル</source>
        <translation>Meters above sea level</translation>
    </message>
    <message>
        <source>グリッドロケーター</source>
        <translation>Grid locator</translation>
    </message>
    <message>
        <source>緯度・経度の代わりに (例 PM95vq)</source>
        <translation>Instead of latitude/longitude (e.g. PM95vq)</translation>
    </message>
    <message>
        <source>データフォルダ内のファイル名、または絶対パス</source>
        <translation>File name in the data folder, or absolute path</translation>
    </message>
    <message>
        <source>軌道要素ファイル</source>
        <translation>TLE file</translation>
    </message>
    <message>
        <source>軌道要素 (TLE) をダウンロードするアドレス</source>
        <translation>Address to download the element sets (TLE) from</translation>
    </message>
    <message>
        <source>ダウンロード元</source>
        <translation>Download from</translation>
    </message>
    <message>
        <source>軌道要素を更新</source>
        <translation>Update TLE</translation>
    </message>
    <message>
        <source>ダウンロードして内容を確かめてからファイルを置き換えます</source>
        <translation>Downloads and checks the data, then replaces the file</translation>
    </message>
    <message>
        <source>HAMLOG</source>
        <translation>HAMLOG</translation>
    </message>
    <message>
        <source>Turbo Hamlog/Win の場所を指定します</source>
        <translation>Locate Turbo Hamlog/Win</translation>
    </message>
    <message>
        <source>通知音/メール</source>
        <translation>Sound/Mail</translation>
    </message>
    <message>
        <source>ｻｳﾝﾄﾞﾌｧｲﾙ選択 (再生可能なﾌｧｲﾙ形式&#x3000;WAV MP3 WMA MDI)</source>
        <translation>Choose a sound file (playable formats: WAV MP3 WMA MID)</translation>
    </message>
    <message>
        <source>WAVﾌｧｲﾙ (*.WAV *.wav);;MP3ﾌｧｲﾙ (*.MP3 *.mp3);;WMAﾌｧｲﾙ (*.WMA *.wma);;MIDﾌｧｲﾙ (*.MID *.mid)</source>
        <translation>WAV files (*.WAV *.wav);;MP3 files (*.MP3 *.mp3);;WMA files (*.WMA *.wma);;MID files (*.MID *.mid)</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙ選択</source>
        <translation>Choose a file</translation>
    </message>
    <message>
        <source>Mail送信(HWCVmail.exe) (HWCVmail.exe hwcvmail.exe)</source>
        <translation>Mail sender (HWCVmail.exe) (HWCVmail.exe hwcvmail.exe)</translation>
    </message>
    <message>
        <source>運用</source>
        <translation>Operation</translation>
    </message>
    <message>
        <source>起動時のモード</source>
        <translation>Mode at start-up</translation>
    </message>
    <message>
        <source>起動時モード</source>
        <translation>Start-up mode</translation>
    </message>
    <message>
        <source>CW運用時、受信がSSBモードの時に周波数を補正</source>
        <translation>Correct the frequency in CW when receiving in SSB mode</translation>
    </message>
    <message>
        <source>モードオフセット</source>
        <translation>Mode offset</translation>
    </message>
    <message>
        <source>レジストリ</source>
        <translation>Registry</translation>
    </message>
    <message>
        <source>DDE</source>
        <translation>DDE</translation>
    </message>
    <message>
        <source>Kepral32/99 とのデータインターフェイスを切替</source>
        <translation>Switches the data interface with Kepral32/99</translation>
    </message>
    <message>
        <source>データインターフェイス</source>
        <translation>Data interface</translation>
    </message>
    <message>
        <source>衛星名などを書き込む HAMLOG の Remarks 欄</source>
        <translation>HAMLOG Remarks field for the satellite name etc.</translation>
    </message>
    <message>
        <source>Remarks 欄</source>
        <translation>Remarks field</translation>
    </message>
    <message>
        <source>R/R 入力を平滑化する</source>
        <translation>Smooth R/R input</translation>
    </message>
    <message>
        <source>追尾ソフトから受け取る距離変化率を平滑化します</source>
        <translation>Smooths the range rate received from the tracking program</translation>
    </message>
    <message>
        <source>ポートを閉じるときにリグの電源を切る</source>
        <translation>Switch the rig off when closing the port</translation>
    </message>
    <message>
        <source>終了時にリグの電源を自動で切ります</source>
        <translation>Switches the rig off automatically on exit</translation>
    </message>
    <message>
        <source>リグ%1の機種</source>
        <translation>Rig %1 model</translation>
    </message>
    <message>
        <source>リグ%1の通信速度 (応答待ち時間も設定されます)</source>
        <translation>Baud rate of rig %1 (also sets the reply timeout)</translation>
    </message>
    <message>
        <source>Icom のリグの CI-V アドレス (16進 2桁)</source>
        <translation>CI-V address of an Icom rig (2 hex digits)</translation>
    </message>
    <message>
        <source>局の位置: 緯度 %1、経度 %2、高さ %3 m (%4)</source>
        <translation>Station: latitude %1, longitude %2, height %3 m (%4)</translation>
    </message>
    <message>
        <source>ダウンロード元のアドレスが正しくありません: %1</source>
        <translation>Invalid download address: %1</translation>
    </message>
    <message>
        <source>軌道要素をダウンロードしています...</source>
        <translation>Downloading element sets...</translation>
    </message>
    <message>
        <source>左クリック: 通知音 %1
右クリック: メール送信 %2</source>
        <translation>Left click: sound %1
Right click: mail %2</translation>
    </message>
    <message>
        <source>挿入</source>
        <translation>INS</translation>
    </message>
    <message>
        <source>衛星を選んだときに始める制御</source>
        <translation>Control started when a satellite is chosen</translation>
    </message>
    <message>
        <source>0: 受信を固定して送信が追従</source>
        <translation>0: receive fixed, transmit follows</translation>
    </message>
    <message>
        <source>1: 受信と送信が追従</source>
        <translation>1: receive and transmit follow</translation>
    </message>
    <message>
        <source>2: 送信を固定して受信が追従</source>
        <translation>2: transmit fixed, receive follows</translation>
    </message>
    <message>
        <source>3: 制御しない</source>
        <translation>3: no control</translation>
    </message>
    <message>
        <source>5: ビーコンを受信</source>
        <translation>5: receive the beacon</translation>
    </message>
    <message>
        <source>開始コマンド</source>
        <translation>Start command</translation>
    </message>
    <message>
        <source>Mode offset x%1</source>
        <translation>Mode offset x%1</translation>
    </message>
    <message>
        <source>Remarks 欄に書く定型文 (%SN% などの置き換えが使えます)</source>
        <translation>Template written into the Remarks field (placeholders such as %SN% work)</translation>
    </message>
    <message>
        <source>Remarks 定型文</source>
        <translation>Remarks template</translation>
    </message>
    <message>
        <source>予定のパスの何分前 (負) または何分後に通知するか</source>
        <translation>Minutes before (negative) or after a scheduled pass to give the notice</translation>
    </message>
    <message>
        <source>試聴</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>通知音を鳴らします</source>
        <translation>Plays the notice sound</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>通知音を止めます</source>
        <translation>Stops the notice sound</translation>
    </message>
    <message>
        <source>通知: パスの %1 分前</source>
        <translation>Notice: %1 min before the pass</translation>
    </message>
    <message>
        <source>通知: パスの %1 分後</source>
        <translation>Notice: %1 min after the pass</translation>
    </message>
    <message>
        <source>テスト</source>
        <translation>Test</translation>
    </message>
    <message>
        <source>リグ%1が応答するか確かめます (エコー、周波数、モード)</source>
        <translation>Checks whether rig %1 answers (echo, dials, modes)</translation>
    </message>
    <message>
        <source>リグ%1の機種とポートを選んでください</source>
        <translation>Choose the model and port of rig %1 first</translation>
    </message>
    <message>
        <source>リグ%1は応答しました:
%2</source>
        <translation>Rig %1 answered:
%2</translation>
    </message>
    <message>
        <source>リグ%1のテストに失敗しました:
%2</source>
        <translation>Rig %1 test failed:
%2</translation>
    </message>
    <message>
        <source>リグ%1をつなぐシリアルポート (by-id の名前は差し替えても変わりません。一覧にないポートはパスを入力)</source>
        <translation>Serial port of rig %1 (the by-id names stay the same when the cable is moved; type the path of a port the list does not show)</translation>
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
<context>
    <name>vm::SatelliteEditorWindow</name>
    <message>
        <source>項目</source>
        <translation>Column</translation>
    </message>
    <message>
        <source>設定完了</source>
        <translation>Save and close</translation>
    </message>
    <message>
        <source>衛星の登録&#x3000;(SATdata.txtとして保存されます)</source>
        <translation>Satellite registration (saved as SATdata.txt)</translation>
    </message>
    <message>
        <source>ﾀﾞﾌﾞﾙｸﾘｯｸで選択名を衛星名欄へ転記します。</source>
        <translation>Double-click to copy the chosen name into the name cell.</translation>
    </message>
    <message>
        <source>衛星名</source>
        <translation>Satellite name</translation>
    </message>
    <message>
        <source>UP Linnk</source>
        <translation>Uplink</translation>
    </message>
    <message>
        <source>Down Link</source>
        <translation>Downlink</translation>
    </message>
    <message>
        <source>昇順</source>
        <translation>Ascending</translation>
    </message>
    <message>
        <source>降順</source>
        <translation>Descending</translation>
    </message>
    <message>
        <source>実行</source>
        <translation>Sort</translation>
    </message>
    <message>
        <source>追加</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>並べ替え</source>
        <translation>Sort...</translation>
    </message>
    <message>
        <source>全削除</source>
        <translation>Delete all</translation>
    </message>
    <message>
        <source>周波数情報</source>
        <translation>Frequency list</translation>
    </message>
    <message>
        <source>衛星名は Kepral/Ornik で登録された衛星名と同じでなければなりません。
！重要： UP/Down Link Freq は下端の周波数を入力下さい
Width は KHz (例 100、FM 衛星では内部で固定)、Tone は Hz で &quot;67.0&quot; または &quot;67&quot; (リグによる)、トーン不要なら &quot;0&quot;
TX TRV / RX TRV はトランスバーターの IF 周波数 KHz (例 1268MHz を 145MHz で: IF 1123000)
NonInv は順ヘテロダイン (ノーマル) のトランスポンダで &quot;Y&quot;、通常の逆ヘテロダインは空白
MLTMode は一つの衛星に複数のモードがある時のモード名 (同じ衛星名を複数行に、オフセットはモード毎、一番上の行が起動時のモード)</source>
        <translation>The satellite name must be the name registered in the tracking program (Kepral/Ornik).
IMPORTANT: enter the LOWER edge of the passband as the up and down link frequency.
Width in kHz (e.g. 100; fixed internally for FM satellites); Tone in Hz, &quot;67.0&quot; or &quot;67&quot; depending on the rig, &quot;0&quot; when no tone is needed.
TX TRV / RX TRV: the IF of a transverter in kHz (e.g. 1268 MHz on 145 MHz: IF 1123000).
NonInv: &quot;Y&quot; for a non-inverting (normal) transponder, blank for the usual inverting one.
MLTMode: a mode name when one satellite has several modes (same name on several rows, offsets kept per mode, the top row is the mode at start).</translation>
    </message>
    <message>
        <source>挿入</source>
        <translation>INS</translation>
    </message>
    <message>
        <source>この行を削除</source>
        <translation>Delete this row</translation>
    </message>
    <message>
        <source>上に空白行を挿入</source>
        <translation>Insert an empty row above</translation>
    </message>
    <message>
        <source>下に空白行を挿入</source>
        <translation>Insert an empty row below</translation>
    </message>
    <message>
        <source>下にこの行のコピーを挿入</source>
        <translation>Insert a copy of this row below</translation>
    </message>
    <message>
        <source>1行下へ移動</source>
        <translation>Move one row down</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>登録されている全ての衛星を削除しますか？</source>
        <translation>Delete all registered satellites?</translation>
    </message>
    <message>
        <source>衛星登録</source>
        <translation>Satellites</translation>
    </message>
    <message>
        <source>未保存で閉じても宜しいですか？
保存する場合は「設定完了」で終了下さい</source>
        <translation>Close without saving?
To save, finish with &quot;Save and close&quot;.</translation>
    </message>
    <message>
        <source>上書き</source>
        <translation>OVR</translation>
    </message>
    <message>
        <source>メモリ書込</source>
        <translation>Write memories</translation>
    </message>
    <message>
        <source>ビーコン付き書込</source>
        <translation>Write with beacons</translation>
    </message>
    <message>
        <source>メモリ消去</source>
        <translation>Erase memories</translation>
    </message>
</context>
<context>
    <name>vm::ScheduleView</name>
    <message>
        <source>運用スケジュール作成</source>
        <translation>Operating schedule</translation>
    </message>
    <message>
        <source>スケジュールを保存できません</source>
        <translation>Cannot save the schedule</translation>
    </message>
    <message>
        <source>運用スケジュール(&amp;O)</source>
        <translation>&amp;Operating schedule</translation>
    </message>
    <message>
        <source>TLEファイルが読めません: %1</source>
        <translation>Cannot read the TLE file: %1</translation>
    </message>
    <message>
        <source>局の位置が設定されていません</source>
        <translation>The station position is not set</translation>
    </message>
    <message>
        <source>読み込み失敗</source>
        <translation>Could not read the tracking program&apos;s pass prediction.</translation>
    </message>
</context>
<context>
    <name>vm::ScheduleWindow</name>
    <message>
        <source>全選択</source>
        <translation>Select all</translation>
    </message>
    <message>
        <source>閾値で選択</source>
        <translation>Select by threshold</translation>
    </message>
    <message>
        <source>ヘルプ</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>衛星</source>
        <translation>Satellite</translation>
    </message>
    <message>
        <source>MEL閾値</source>
        <translation>MEL threshold</translation>
    </message>
    <message>
        <source>現時刻以降のみ(&amp;N)</source>
        <translation>From &amp;now on</translation>
    </message>
    <message>
        <source>転送(&amp;T)</source>
        <translation>&amp;Transfer</translation>
    </message>
    <message>
        <source>運用スケジュール作成</source>
        <translation>Operating schedule</translation>
    </message>
    <message>
        <source>今日のパスを軌道要素から予測して一覧にします
リストの項目にチェックを入れて転送釦をクリックします
チェックは手動で各行をクリックする方法の他に
メニューバーの「全選択」「閾値で選択」があります
MEL閾値は設定値以下のMELの場合は選択除外する目的です
オプションとして「現時刻以降のみ」選択があります</source>
        <translation>Lists today&apos;s passes predicted from the element sets.
Check items in the list and click the Transfer button.
Besides clicking each row by hand, items can be checked with
&quot;Select all&quot; and &quot;Select by threshold&quot; in the menu bar.
The MEL threshold leaves out passes whose MEL is at or below it.
Optionally, &quot;From now on&quot; lists only passes still to come.</translation>
    </message>
</context>
<context>
    <name>vm::TrackingView</name>
    <message>
        <source>衛星の位置(&amp;T)</source>
        <translation>Sa&amp;tellite position</translation>
    </message>
    <message>
        <source>仰角と LOS (AOS) までの時間 - F12 で衛星の位置</source>
        <translation>Elevation and time to LOS (AOS) - F12 for satellite position</translation>
    </message>
</context>
<context>
    <name>vm::TrackingWindow</name>
    <message>
        <source>衛星の位置</source>
        <translation>Satellite position</translation>
    </message>
    <message>
        <source>現在</source>
        <translation>Now</translation>
    </message>
    <message>
        <source>方位角</source>
        <translation>Azimuth</translation>
    </message>
    <message>
        <source>仰角</source>
        <translation>Elevation</translation>
    </message>
    <message>
        <source>距離</source>
        <translation>Range</translation>
    </message>
    <message>
        <source>距離変化率</source>
        <translation>Range rate</translation>
    </message>
    <message>
        <source>ドップラー (ダウンリンク)</source>
        <translation>Doppler (downlink)</translation>
    </message>
    <message>
        <source>ドップラー (アップリンク)</source>
        <translation>Doppler (uplink)</translation>
    </message>
    <message>
        <source>直下点</source>
        <translation>Subpoint</translation>
    </message>
    <message>
        <source>フットプリント半径</source>
        <translation>Footprint radius</translation>
    </message>
    <message>
        <source>このパス</source>
        <translation>This pass</translation>
    </message>
    <message>
        <source>AOS</source>
        <translation>AOS</translation>
    </message>
    <message>
        <source>TCA</source>
        <translation>TCA</translation>
    </message>
    <message>
        <source>LOS</source>
        <translation>LOS</translation>
    </message>
    <message>
        <source>最大仰角</source>
        <translation>Max elevation</translation>
    </message>
    <message>
        <source>残り時間</source>
        <translation>Time left</translation>
    </message>
    <message>
        <source>AOS (現地時刻)</source>
        <translation>AOS (local time)</translation>
    </message>
    <message>
        <source>時間</source>
        <translation>Duration</translation>
    </message>
    <message>
        <source>24時間以内のパス</source>
        <translation>Passes within 24 h</translation>
    </message>
    <message>
        <source>衛星の位置 - %1</source>
        <translation>Satellite position - %1</translation>
    </message>
    <message>
        <source>LOSまで %1</source>
        <translation>LOS in %1</translation>
    </message>
    <message>
        <source>AOSまで %1</source>
        <translation>AOS in %1</translation>
    </message>
    <message>
        <source>24時間以内にパスはありません</source>
        <translation>No pass within 24 hours</translation>
    </message>
</context>
<context>
    <name>vm::WsjtSettingsWindow</name>
    <message>
        <source>WSJT-X / JTDX の起動設定</source>
        <translation>WSJT-X / JTDX start settings</translation>
    </message>
    <message>
        <source>この名前で起動すると、衛星用に別の設定とログのフォルダが使われます</source>
        <translation>Started with this name, the program keeps a separate configuration and log folder for satellite work</translation>
    </message>
    <message>
        <source>参照...</source>
        <translation>Browse...</translation>
    </message>
    <message>
        <source>WSJTX.exe or JTDX.exe の場所を指定します</source>
        <translation>Choose the WSJT-X or JTDX program</translation>
    </message>
    <message>
        <source>プログラム</source>
        <translation>Program</translation>
    </message>
    <message>
        <source>リグ名</source>
        <translation>Rig name</translation>
    </message>
    <message>
        <source>ログのフォルダ</source>
        <translation>Log folder</translation>
    </message>
    <message>
        <source>WSJT-X または JTDX のプログラムを指定して下さい</source>
        <translation>Choose the WSJT-X or JTDX program</translation>
    </message>
</context>
<context>
    <name>vm::offsetBackup</name>
    <message>
        <source>iniファイル見つからず</source>
        <translation>Settings file not found</translation>
    </message>
    <message>
        <source>offsetデータなし</source>
        <translation>No offset data</translation>
    </message>
    <message>
        <source>%1用のoffsetデータを保存しました
場所＆ﾌｧｲﾙ名＝ %2</source>
        <translation>The offsets for %1 were saved.
File: %2</translation>
    </message>
</context>
<context>
    <name>vm::rigCombination</name>
    <message>
        <source>これは、対象衛星によってはリグの構成を変えたい場合の設定を作成するものです。
例えば AO-07 Aﾓｰﾄﾞの様にＨＦ機と組み合わせたい場面に遭遇しますが
ここで、その場面に応じたリグ構成を登録する事により自動的に切り替える事が
可能になります
この後、現在の画面上のリグ構成設定に対応する衛星を選択するリストを表示します。
複数の衛星を選択出来ますが設定可能なリグ構成は１パターンだけです。</source>
        <translation>This registers a different rig set-up for particular satellites.
For example AO-07 mode A may call for an HF transceiver.
A set-up registered here for such satellites is switched to automatically
when one of them is selected.
Next, a list shows the satellites to choose for the rig set-up.
Several satellites may be chosen, but only one rig set-up can be registered.</translation>
    </message>
    <message>
        <source>未登録</source>
        <translation>Not registered</translation>
    </message>
    <message>
        <source>%1  %2  %3bps  %4</source>
        <translation>%1  %2  %3 bps  %4</translation>
    </message>
    <message>
        <source>%1 ms</source>
        <translation>%1 ms</translation>
    </message>
</context>
<context>
    <name>vm::rigMemories</name>
    <message>
        <source>リグ1のポートを開けません: %1</source>
        <translation>Cannot open the port of rig 1: %1</translation>
    </message>
    <message>
        <source>消去完了しました</source>
        <translation>Erasing finished</translation>
    </message>
    <message>
        <source>99件を超えましたので終わります</source>
        <translation>Stopped after 99 channels</translation>
    </message>
    <message>
        <source>%1件書き込みました</source>
        <translation>%1 channels written</translation>
    </message>
    <message>
        <source>以下はリグ側で撥ねられました、未対応周波数 等の
問題があると思われます</source>
        <translation>The rig refused the following, probably
because of a frequency it does not support</translation>
    </message>
    <message>
        <source>%1 件目消去中</source>
        <translation>Erasing channel %1</translation>
    </message>
    <message>
        <source>%1件目書き込み中</source>
        <translation>Writing channel %1</translation>
    </message>
</context>
<context>
    <name>vm::satelliteEditor</name>
    <message>
        <source>UP Link と DOWN Link が同じバンドですので
登録できません。</source>
        <translation>Uplink and downlink are in the same band,
so the row cannot be registered.</translation>
    </message>
    <message>
        <source>Beacon周波数は DOWN Link のバンドと同じ
でなければなりませんので
登録できません。</source>
        <translation>The beacon must be in the downlink band,
so the row
cannot be registered.</translation>
    </message>
    <message>
        <source>衛星名 または UP Link または DOWN Link の
基本データが空ですので
登録できません。</source>
        <translation>The satellite name, uplink or downlink
is empty,
so the row cannot be registered.</translation>
    </message>
    <message>
        <source>周波数の欄 (%1) が数値ではありませんので
登録できません。</source>
        <translation>The frequency column (%1) is not a number,
so the row cannot be registered.</translation>
    </message>
    <message>
        <source>空白行は登録できません、行削除して下さい。</source>
        <translation>An empty row cannot be registered; delete the row.</translation>
    </message>
    <message>
        <source>%1 の控えを作れないので保存しませんでした</source>
        <translation>Not saved: the copy %1 could not be made</translation>
    </message>
</context>
<context>
    <name>vm::settingsForm</name>
    <message>
        <source>高さはメートルで -500 から 9000 までの数で指定してください</source>
        <translation>Height must be a number of meters from -500 to 9000</translation>
    </message>
    <message>
        <source>ADIF.qsl用のADIF補足データをRem1に出力する</source>
        <translation>Output ADIF supplement data for ADIF.qsl to Rem1</translation>
    </message>
    <message>
        <source>ADIF.qsl用のADIF補足データをRem2に出力する</source>
        <translation>Output ADIF supplement data for ADIF.qsl to Rem2</translation>
    </message>
    <message>
        <source>緯度は -90 から 90 までの度数で指定してください (北が正)</source>
        <translation>Latitude must be in degrees from -90 to 90 (north positive)</translation>
    </message>
    <message>
        <source>経度は -180 から 180 までの度数で指定してください (東が正)</source>
        <translation>Longitude must be in degrees from -180 to 180 (east positive)</translation>
    </message>
    <message>
        <source>グリッドロケーターは PM95 や PM95vq のように 4、6 または 8 文字で指定してください</source>
        <translation>The grid locator must have 4, 6 or 8 characters, like PM95 or PM95vq</translation>
    </message>
    <message>
        <source>この設定画面を終える前に%1を起動してください</source>
        <translation>Start %1 before closing this settings window</translation>
    </message>
    <message>
        <source>機種</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>ポート</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>ボーレート</source>
        <translation>Baud rate</translation>
    </message>
    <message>
        <source>CI-V アドレス</source>
        <translation>CI-V address</translation>
    </message>
    <message>
        <source>0: リグ1で受信と送信</source>
        <translation>0: Rig 1 RX and TX</translation>
    </message>
    <message>
        <source>1: リグ1で受信のみ</source>
        <translation>1: Rig 1 RX only</translation>
    </message>
    <message>
        <source>2: リグ2で送信のみ</source>
        <translation>2: Rig 2 TX only</translation>
    </message>
    <message>
        <source>3: リグ1で受信、リグ2で送信</source>
        <translation>3: Rig 1 RX, rig 2 TX</translation>
    </message>
    <message>
        <source>4: リグなし</source>
        <translation>4: No rig</translation>
    </message>
</context>
</TS>
