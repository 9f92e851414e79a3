<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja_JP">
<context>
    <name>Application</name>
    <message>
        <source>シリアルＥＥＰＲＯＭプログラマー メッセージ</source>
        <translation>Serial EEPROM Programmer</translation>
    </message>
    <message>
        <source>%1内に zelko6.iniファイルがありませんので         <byte value="xd"/>
シリアルＥＥＰＲＯＭプログラマーの起動を中止しました。</source>
        <translation>There is no zelko6.ini file in %1,<byte value="xd"/>
so the Serial EEPROM Programmer was not started.</translation>
    </message>
    <message>
        <source>ﾍﾙﾌﾟの目次を表示できません。 このﾌﾟﾛｼﾞｪｸﾄに関連付けられたﾍﾙﾌﾟが存在しません。</source>
        <translation>The help contents cannot be shown: there is no help for this program.</translation>
    </message>
</context>
<context>
    <name>StatusTexts</name>
    <message>
        <source>読み出し中.....</source>
        <translation>Reading.....</translation>
    </message>
    <message>
        <source>書き込み中.....</source>
        <translation>Writing.....</translation>
    </message>
    <message>
        <source>ベリファイ中.....</source>
        <translation>Verifying.....</translation>
    </message>
    <message>
        <source>読み出し終了。 (%1sec)</source>
        <translation>Read finished. (%1sec)</translation>
    </message>
    <message>
        <source>書き込み終了。 (%1sec)</source>
        <translation>Write finished. (%1sec)</translation>
    </message>
    <message>
        <source>書込み・ベリファイ 正常終了。 (%1sec)</source>
        <translation>Write and verify finished without error. (%1sec)</translation>
    </message>
    <message>
        <source>ベリファイ エラー。</source>
        <translation>Verify error: the chip differs.</translation>
    </message>
    <message>
        <source>通信ポートが切断されました</source>
        <translation>Port lost</translation>
    </message>
    <message>
        <source>中断しました</source>
        <translation>Interrupted</translation>
    </message>
    <message>
        <source>タイムアウト</source>
        <translation>Time-out</translation>
    </message>
    <message>
        <source> ライトエラー</source>
        <translation> - write error</translation>
    </message>
    <message>
        <source>  リードエラー</source>
        <translation> - read error</translation>
    </message>
    <message>
        <source>デバイス定義のバス種別が不正です（2または3）。</source>
        <translation>The device definition&apos;s bus type is invalid (2 or 3).</translation>
    </message>
    <message>
        <source>デバイス定義のアドレスモードが不正です（0～2）。</source>
        <translation>The device definition&apos;s address mode is invalid (0 to 2).</translation>
    </message>
    <message>
        <source>デバイス定義の拡張パラメータが不正です（0～255）。</source>
        <translation>The device definition&apos;s extra parameter is invalid (0 to 255).</translation>
    </message>
    <message>
        <source>デバイス定義のページサイズが0です。</source>
        <translation>The device definition&apos;s page size is 0.</translation>
    </message>
    <message>
        <source>アクセスサイズが不正です（バッファの大きさを超えているか、0以下です）。</source>
        <translation>Invalid access size (larger than the buffer, or 0 or less).</translation>
    </message>
    <message>
        <source>アドレスが選択されていません。</source>
        <translation>No address is selected.</translation>
    </message>
    <message>
        <source>Waiting.... %1</source>
        <translation>Waiting.... %1</translation>
    </message>
    <message>
        <source>COM%1 : %2</source>
        <translation>COM%1 : %2</translation>
    </message>
    <message>
        <source>COM%1 : ライター未接続</source>
        <translation>COM%1 : programmer not connected</translation>
    </message>
    <message>
        <source>プログラマ接続確認エラー。</source>
        <translation>Programmer connection check failed.</translation>
    </message>
    <message>
        <source>プログラマ接続確認エラー。通信ポートが切断されました。</source>
        <translation>Programmer connection check failed. The port was lost.</translation>
    </message>
    <message>
        <source>プログラマ接続確認エラー。中断しました。</source>
        <translation>Programmer connection check failed. Interrupted.</translation>
    </message>
    <message>
        <source>プログラマ接続確認エラー。【%1】</source>
        <translation>Programmer connection check failed. [characters received: %1]</translation>
    </message>
    <message>
        <source>プログラマ接続確認エラー。ポートが見つかりません: %1</source>
        <translation>Programmer connection check failed. Port not found: %1</translation>
    </message>
    <message>
        <source>プログラマ接続確認エラー。ポートは使用中か、アクセス権がありません: %1</source>
        <translation>Programmer connection check failed. Port in use or access denied: %1</translation>
    </message>
    <message>
        <source>プログラマ接続確認エラー。ポートを開けません: %1 (%2)</source>
        <translation>Programmer connection check failed. Cannot open the port: %1 (%2)</translation>
    </message>
    <message>
        <source>このファームウエアバージョンでは、ZELKO6.EXEは使用できません。ファームウエアバージョン６以上をご使用ください。</source>
        <translation>This firmware version cannot be used with ZELKO6. Please use firmware version 6 or later.</translation>
    </message>
    <message>
        <source>指定した通信ポートは使用できませんでした。</source>
        <translation>The chosen port could not be used.</translation>
    </message>
    <message>
        <source>ファイルをオープンできませんでした。</source>
        <translation>The file could not be opened.</translation>
    </message>
    <message>
        <source>ファイルをロードしています..........</source>
        <translation>Loading the file..........</translation>
    </message>
    <message>
        <source>ファイルオープン完了</source>
        <translation>File opened</translation>
    </message>
    <message>
        <source>ファイルオープン完了（ファイルがデバイスより小さいため、残りは0xFFです）</source>
        <translation>File opened (the file is smaller than the chip: the rest is 0xFF)</translation>
    </message>
    <message>
        <source>ファイルのデータがデバイスの容量を超えています。収まる部分だけを読み込みました。</source>
        <translation>The file&apos;s data exceed the chip&apos;s capacity. Only the part that fits was loaded.</translation>
    </message>
    <message>
        <source>ファイルを最後まで読み込めませんでした。読み込めた部分だけを表示しています。</source>
        <translation>The file could not be read to its end. Only the part read is shown.</translation>
    </message>
    <message>
        <source>ファイルがデバイスの容量より大きいため、読み込みませんでした。</source>
        <translation>The file is larger than the chip, so it was not loaded.</translation>
    </message>
    <message>
        <source>ファイル保存をキャンセルしました。</source>
        <translation>Saving the file was cancelled.</translation>
    </message>
    <message>
        <source>ファイルに保存中..... </source>
        <translation>Saving the file..... </translation>
    </message>
    <message>
        <source>ファイルに保存終了。 </source>
        <translation>File saved. </translation>
    </message>
    <message>
        <source>上書き保存</source>
        <translation>Overwrite</translation>
    </message>
    <message>
        <source>ファイルが存在します。上書きしますか？</source>
        <translation>The file exists. Overwrite it?</translation>
    </message>
    <message>
        <source>ファイルを保存できませんでした。</source>
        <translation>The file could not be saved.</translation>
    </message>
    <message>
        <source>ファイルのデータがデバイスの容量を超えています。</source>
        <translation>The file&apos;s data exceed the chip&apos;s capacity.</translation>
    </message>
    <message>
        <source>ファイルを最後まで読み込めませんでした。</source>
        <translation>The file could not be read to its end.</translation>
    </message>
    <message>
        <source>しばらくお待ちください。</source>
        <translation>Please wait.</translation>
    </message>
    <message>
        <source>データ表示中です。&#x3000;しばらくお待ちください。</source>
        <translation>Showing the data. Please wait.</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>Done</translation>
    </message>
    <message>
        <source>ADDRESS:%1</source>
        <translation>ADDRESS:%1</translation>
    </message>
    <message>
        <source>ＰＣのバッファをクリアしました。</source>
        <translation>The PC&apos;s buffer was cleared.</translation>
    </message>
    <message>
        <source>ﾌｧｰﾑｳｴｱﾊﾞｰｼﾞｮﾝ QT-LNK310 V6.50 以降を使用してください。</source>
        <translation>Use firmware version QT-LNK310 V6.50 or later.</translation>
    </message>
    <message>
        <source>バス種別</source>
        <translation>bus type</translation>
    </message>
    <message>
        <source>サイズ指数</source>
        <translation>size exponent</translation>
    </message>
    <message>
        <source>ページサイズ</source>
        <translation>page size</translation>
    </message>
    <message>
        <source>アドレスモード</source>
        <translation>address mode</translation>
    </message>
    <message>
        <source>拡張パラメータ</source>
        <translation>extra parameter</translation>
    </message>
    <message>
        <source>%1 : デバイス定義の%2が数値ではありません（%3）。</source>
        <translation>%1 : the device definition&apos;s %2 is not a number (%3).</translation>
    </message>
    <message>
        <source>%1 : このデバイスは使用できません。バス種別は2または3でなければなりません。</source>
        <translation>%1 : this device cannot be used. Its bus type must be 2 or 3.</translation>
    </message>
    <message>
        <source>%1 : このデバイスは使用できません。サイズ指数は4～24でなければなりません。</source>
        <translation>%1 : this device cannot be used. Its size exponent must be 4 to 24.</translation>
    </message>
    <message>
        <source>%1 : このデバイスは使用できません。アドレスモードは0～2でなければなりません。</source>
        <translation>%1 : this device cannot be used. Its address mode must be 0 to 2.</translation>
    </message>
    <message>
        <source>%1 : このデバイスは使用できません。拡張パラメータは0～255でなければなりません。</source>
        <translation>%1 : this device cannot be used. Its extra parameter must be 0 to 255.</translation>
    </message>
    <message>
        <source>ファイルの%1行目のチェックサムが合いません。読み込めた部分を表示しています。</source>
        <translation>The checksum on line %1 of the file is wrong. What could be read is shown.</translation>
    </message>
    <message>
        <source>ファイルの%1行目のレコードが途中で切れています。読み込めた部分を表示しています。</source>
        <translation>The record on line %1 of the file is cut off. What could be read is shown.</translation>
    </message>
    <message>
        <source>ファイルにエンドレコードがありません（%1行）。読み込めた部分を表示しています。</source>
        <translation>The file has no end record (line count: %1). What could be read is shown.</translation>
    </message>
    <message>
        <source>ファイルの%1行目のチェックサムが合いません。</source>
        <translation>The checksum on line %1 of the file is wrong.</translation>
    </message>
    <message>
        <source>ファイルの%1行目のレコードが途中で切れています。</source>
        <translation>The record on line %1 of the file is cut off.</translation>
    </message>
    <message>
        <source>ファイルにデータレコードがありません（%1行）。</source>
        <translation>The file has no data record (line count: %1).</translation>
    </message>
    <message>
        <source>ファイルにエンドレコードがありません（%1行）。</source>
        <translation>The file has no end record (line count: %1).</translation>
    </message>
    <message>
        <source>プログラマ接続確認エラー。%1</source>
        <translation>Programmer connection check failed. %1</translation>
    </message>
    <message>
        <source>ポートは他のプログラムが使用中です: %1</source>
        <translation>Another program is using the port: %1</translation>
    </message>
    <message>
        <source>ポートを開く権限がありません: %1</source>
        <translation>No permission to open the port: %1</translation>
    </message>
    <message>
        <source>ポートを開く権限がありません: %1（グループ %2）。「sudo usermod -aG %2 $USER」を実行してから、ログインし直してください。</source>
        <translation>No permission to open %1, which belongs to the group %2. Run &quot;sudo usermod -aG %2 $USER&quot;, then log out and back in.</translation>
    </message>
</context>
<context>
    <name>zelko6::AboutWindow</name>
    <message>
        <source>%1のﾊﾞｰｼﾞｮﾝ情報</source>
        <translation>About %1</translation>
    </message>
    <message>
        <source>プログラマボードを通してシリアルＥＥＰＲＯＭの読み出し・書き込みを行うソフトウエアです。ファームウエア V6.00 以降が必要です。</source>
        <translation>Reads and writes serial EEPROMs through the programmer board. Needs firmware V6.00 or later.</translation>
    </message>
    <message>
        <source>ｻﾎﾟｰﾄﾍﾟｰｼﾞ : %1</source>
        <translation>Support page: %1</translation>
    </message>
    <message>
        <source>zelko6.iniバージョン</source>
        <translation>zelko6.ini version</translation>
    </message>
    <message>
        <source>サポートホームページへジャンプ</source>
        <translation>Go to the support page</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>zelko6::BoardWindow</name>
    <message>
        <source>インデックス情報</source>
        <translation>Chip orientation</translation>
    </message>
    <message>
        <source>上側が１ｐｉｎ</source>
        <translation>Pin 1 at the top</translation>
    </message>
    <message>
        <source>どちらでも可</source>
        <translation>Either way</translation>
    </message>
</context>
<context>
    <name>zelko6::ByteEditorPanel</name>
    <message>
        <source>データ修正</source>
        <translation>Edit byte</translation>
    </message>
    <message>
        <source>Hex</source>
        <translation>Hex</translation>
    </message>
    <message>
        <source>Dec</source>
        <translation>Dec</translation>
    </message>
    <message>
        <source>Ascii</source>
        <translation>Ascii</translation>
    </message>
    <message>
        <source>Bin</source>
        <translation>Bin</translation>
    </message>
    <message>
        <source>Bin %1</source>
        <translation>Bin %1</translation>
    </message>
    <message>
        <source>コピー(&amp;C)</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>貼り付け(&amp;P)</source>
        <translation>&amp;Paste</translation>
    </message>
    <message>
        <source>削除(&amp;D)</source>
        <translation>&amp;Delete</translation>
    </message>
    <message>
        <source>すべて選択(&amp;A)</source>
        <translation>Select &amp;All</translation>
    </message>
</context>
<context>
    <name>zelko6::GuardedApplication</name>
    <message>
        <source>不明なエラー</source>
        <translation>unknown failure</translation>
    </message>
</context>
<context>
    <name>zelko6::HexGridView</name>
    <message>
        <source>&#x3000;Adr.</source>
        <translation> Addr.</translation>
    </message>
</context>
<context>
    <name>zelko6::MainStatusBar</name>
    <message>
        <source>Panel %1</source>
        <translation>Panel %1</translation>
    </message>
</context>
<context>
    <name>zelko6::MainWindow</name>
    <message>
        <source>ｱｸｾｽｻｲｽﾞ&#x3000; (Byte)</source>
        <translation>Access size (bytes)</translation>
    </message>
    <message>
        <source>ﾌﾞﾛｯｸｱｸｾｽ(開始ｱﾄﾞﾚｽ0)</source>
        <translation>Block access (from address 0)</translation>
    </message>
    <message>
        <source>Block Read</source>
        <translation>Block Read</translation>
    </message>
    <message>
        <source>Block Write</source>
        <translation>Block Write</translation>
    </message>
    <message>
        <source>ﾊﾞｲﾄｱｸｾｽ</source>
        <translation>Byte access</translation>
    </message>
    <message>
        <source>任意ｱﾄﾞﾚｽの１byteのｱｸｾｽ</source>
        <translation>One byte at any address</translation>
    </message>
    <message>
        <source>Byte Read</source>
        <translation>Byte Read</translation>
    </message>
    <message>
        <source>Byte Write</source>
        <translation>Byte Write</translation>
    </message>
    <message>
        <source>開く</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>通信ポート</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>ﾊﾞｯﾌｧ ｸﾘｱ</source>
        <translation>Clear buffer</translation>
    </message>
    <message>
        <source>デバイス選択</source>
        <translation>Chip</translation>
    </message>
    <message>
        <source>ファイル(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>オプション(&amp;T)</source>
        <translation>&amp;Options</translation>
    </message>
    <message>
        <source>ヘルプﾟ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>ファイルをロード(&amp;O)...</source>
        <translation>&amp;Open...</translation>
    </message>
    <message>
        <source>名前を付けて保存(&amp;A)...</source>
        <translation>Save &amp;As...</translation>
    </message>
    <message>
        <source>テキストデータとして出力</source>
        <translation>Show as Text</translation>
    </message>
    <message>
        <source>ﾍﾟｰｼﾞ設定(&amp;U)...</source>
        <translation>Page Set&amp;up...</translation>
    </message>
    <message>
        <source>印刷(&amp;P)...</source>
        <translation>&amp;Print...</translation>
    </message>
    <message>
        <source>終了(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>バッファをクリア(&amp;B)</source>
        <translation>Clear &amp;Buffer</translation>
    </message>
    <message>
        <source>デバイス挿入方向</source>
        <translation>Chip Orientation</translation>
    </message>
    <message>
        <source>COMポート設定(&amp;O)...</source>
        <translation>Serial P&amp;ort...</translation>
    </message>
    <message>
        <source>ヘルプ(&amp;C)</source>
        <translation>&amp;Contents</translation>
    </message>
    <message>
        <source>ﾄﾋﾟｯｸの検索(&amp;S)...</source>
        <translation>&amp;Search for Help On...</translation>
    </message>
    <message>
        <source>ﾊﾞｰｼﾞｮﾝ情報(&amp;A)</source>
        <translation>&amp;About</translation>
    </message>
</context>
<context>
    <name>zelko6::PortWindow</name>
    <message>
        <source>通信設定</source>
        <translation>Serial port</translation>
    </message>
    <message>
        <source>通信ポート番号</source>
        <translation>Port number</translation>
    </message>
    <message>
        <source>接続先デバイス</source>
        <translation>Device</translation>
    </message>
    <message>
        <source>通信ができないとき変更してみてください。</source>
        <translation>If the board does not answer, try changing these.</translation>
    </message>
    <message>
        <source>DTR (通常チェック無し)</source>
        <translation>DTR (usually off)</translation>
    </message>
    <message>
        <source>RTS (通常チェック有り)</source>
        <translation>RTS (usually on)</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>（接続されていません）</source>
        <translation>(not connected)</translation>
    </message>
    <message>
        <source>ライター以外の応答</source>
        <translation>Not a programmer</translation>
    </message>
    <message>
        <source>応答なし</source>
        <translation>No answer</translation>
    </message>
    <message>
        <source>開けません</source>
        <translation>Cannot open</translation>
    </message>
    <message>
        <source>ライターが見つかりませんでした。</source>
        <translation>No programmer found.</translation>
    </message>
    <message>
        <source>ライターが見つかりました: %1</source>
        <translation>Programmer found: %1</translation>
    </message>
    <message>
        <source>ライターを探しています...</source>
        <translation>Looking for the programmer...</translation>
    </message>
    <message>
        <source>ライターを探しています... COM%1 (%2)</source>
        <translation>Looking for the programmer... COM%1 (%2)</translation>
    </message>
    <message>
        <source>番号</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>デバイス</source>
        <translation>Device</translation>
    </message>
    <message>
        <source>説明</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>メーカー</source>
        <translation>Manufacturer</translation>
    </message>
    <message>
        <source>シリアル番号</source>
        <translation>Serial number</translation>
    </message>
    <message>
        <source>USB ID</source>
        <translation>USB ID</translation>
    </message>
    <message>
        <source>ライター</source>
        <translation>Programmer</translation>
    </message>
    <message>
        <source>シリアルポート一覧</source>
        <translation>Serial ports</translation>
    </message>
    <message>
        <source>ライターを探す</source>
        <translation>Find programmer</translation>
    </message>
    <message>
        <source>ライター検索の結果</source>
        <translation>Programmer search result</translation>
    </message>
</context>
<context>
    <name>zelko6::QtFileDialogs</name>
    <message>
        <source>Hexファイル (*.HEX);;全てのファイル (*.*)</source>
        <translation>Intel HEX files (*.HEX);;All files (*.*)</translation>
    </message>
    <message>
        <source>Hexファイル (*.hex);;全てのファイル (*.*)</source>
        <translation>Intel HEX files (*.hex);;All files (*.*)</translation>
    </message>
</context>
<context>
    <name>zelko6::SplashWindow</name>
    <message>
        <source>シリアルＥＥＰＲＯＭプログラマー</source>
        <translation>Serial EEPROM Programmer</translation>
    </message>
    <message>
        <source>ﾊﾞｰｼﾞｮﾝ %1</source>
        <translation>Version %1</translation>
    </message>
</context>
<context>
    <name>zelko6::StepReport</name>
    <message>
        <source>エラー番号 = %1   処理番号 = %2</source>
        <translation>Error = %1   Step = %2</translation>
    </message>
</context>
</TS>
