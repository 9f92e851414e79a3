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
    <name>CommandLine</name>
    <message>
        <source>%1: 数値ではありません: %2</source>
        <translation>%1: not a number: %2</translation>
    </message>
    <message>
        <source>--value: バイトの値ではありません (0..255 か 0x00..0xFF): %1</source>
        <translation>--value: not a byte (0..255 or 0x00..0xFF): %1</translation>
    </message>
    <message>
        <source>--format: hex、bin、srec のどれかです (%1 は使えません)</source>
        <translation>--format: hex, bin or srec, not %1</translation>
    </message>
    <message>
        <source>--lang: ja か en です (%1 は使えません)</source>
        <translation>--lang: ja or en, not %1</translation>
    </message>
    <message>
        <source>--baud: ビットレートではありません: %1</source>
        <translation>--baud: not a bit rate: %1</translation>
    </message>
    <message>
        <source>%1 は値を取りません</source>
        <translation>%1 takes no value</translation>
    </message>
    <message>
        <source>不明なオプションです: %1</source>
        <translation>unknown option %1</translation>
    </message>
    <message>
        <source>%1: 値がありません</source>
        <translation>%1: value missing</translation>
    </message>
    <message>
        <source>--format は &apos;-&apos; の形式を決めるものですが、&apos;-&apos; がありません</source>
        <translation>--format gives the format of &apos;-&apos;, and no &apos;-&apos; is given</translation>
    </message>
    <message>
        <source>--byte には %2 の %1 より小さい --address が必要です</source>
        <translation>--byte needs --address below %1 for %2</translation>
    </message>
    <message>
        <source>--byte は read か write と使います</source>
        <translation>--byte goes with read or write</translation>
    </message>
    <message>
        <source>--address は --byte と使います</source>
        <translation>--address goes with --byte</translation>
    </message>
    <message>
        <source>--value は write --byte と使います</source>
        <translation>--value goes with write --byte</translation>
    </message>
    <message>
        <source>--probe は ports と使います</source>
        <translation>--probe goes with ports</translation>
    </message>
    <message>
        <source>--no-verify は write と使います</source>
        <translation>--no-verify goes with write</translation>
    </message>
    <message>
        <source>--lenient は write、verify、convert のどれかと使います</source>
        <translation>--lenient goes with write, verify or convert</translation>
    </message>
    <message>
        <source>--baud、--simulator、--output は demo と使います</source>
        <translation>--baud, --simulator and --output go with demo</translation>
    </message>
    <message>
        <source>read --byte はファイルを取りません</source>
        <translation>read --byte takes no file</translation>
    </message>
    <message>
        <source>read はファイルを1つ取ります</source>
        <translation>read takes one FILE</translation>
    </message>
    <message>
        <source>ベリファイログを書き込めませんでした: %1</source>
        <translation>verify log: could not be written to %1</translation>
    </message>
    <message>
        <source>write --byte --value はファイルを取りません</source>
        <translation>write --byte --value takes no file</translation>
    </message>
    <message>
        <source>write はファイルを1つ取ります</source>
        <translation>write takes one FILE</translation>
    </message>
    <message>
        <source>verify はファイルを1つ取ります</source>
        <translation>verify takes one FILE</translation>
    </message>
    <message>
        <source>convert には --chip か --size が必要です</source>
        <translation>convert needs --chip or --size</translation>
    </message>
    <message>
        <source>--size %1 はチップの容量ではありません</source>
        <translation>--size %1 is not the size of the chip</translation>
    </message>
    <message>
        <source>--size %1: %2 から %3 までの2のべき乗です</source>
        <translation>--size %1: a power of two from %2 to %3</translation>
    </message>
    <message>
        <source>convert は入力と出力のファイルを取ります</source>
        <translation>convert takes IN and OUT</translation>
    </message>
    <message>
        <source>使い方は &apos;zelko6-cli --help&apos; で表示されます。</source>
        <translation>Try &apos;zelko6-cli --help&apos;.</translation>
    </message>
    <message>
        <source>コマンドがありません</source>
        <translation>no command given</translation>
    </message>
    <message>
        <source>%1 はファイルを取りません</source>
        <translation>%1 takes no file</translation>
    </message>
    <message>
        <source>不明なコマンドです: %1</source>
        <translation>unknown command %1</translation>
    </message>
    <message>
        <source>%1 に使えるチップがありません</source>
        <translation>no usable chip in %1</translation>
    </message>
    <message>
        <source>--port での demo はチップを上書きします: --chip でチップを指定してください</source>
        <translation>demo on --port overwrites the chip: name it with --chip</translation>
    </message>
    <message>
        <source>ボードシミュレーターが起動しませんでした: %1</source>
        <translation>the board simulator did not start: %1</translation>
    </message>
    <message>
        <source>demo: %1, %2 バイト, %3%4</source>
        <translation>demo: %1, %2 bytes, on %3%4</translation>
    </message>
    <message>
        <source> (ボードシミュレーター %1 bit/s)</source>
        <translation> (board simulator at %1 bit/s)</translation>
    </message>
    <message>
        <source> (ボードシミュレーター, 速度制限なし)</source>
        <translation> (board simulator, unpaced)</translation>
    </message>
    <message>
        <source>接続確認</source>
        <translation>identify</translation>
    </message>
    <message>
        <source>乱数のイメージを書込み</source>
        <translation>write a random image</translation>
    </message>
    <message>
        <source>読み戻し</source>
        <translation>read it back</translation>
    </message>
    <message>
        <source>      通信時間と規定の待ち時間 %1 秒; 実測 %2%3 %</source>
        <translation>      wire time plus prescribed pauses %1 s; measured %2%3 %</translation>
    </message>
    <message>
        <source>      読み戻し: %1 バイトとも同じ</source>
        <translation>      read back: the same %1 bytes</translation>
    </message>
    <message>
        <source>      読み戻し: %1 バイトが違います</source>
        <translation>      read back: %1 bytes differ</translation>
    </message>
    <message>
        <source>ベリファイ</source>
        <translation>verify</translation>
    </message>
    <message>
        <source>Intel HEX で保存</source>
        <translation>save as Intel HEX</translation>
    </message>
    <message>
        <source>読める所まで読み込みました (--lenient)</source>
        <translation>loaded as far as it reads, --lenient</translation>
    </message>
    <message>
        <source>読み込んでいません。--lenient で読める所まで読み込みます</source>
        <translation>not loaded; --lenient loads what can be read</translation>
    </message>
    <message>
        <source>%1 行目, 0x%2 &gt;= 0x%3</source>
        <translation>line %1, 0x%2 &gt;= 0x%3</translation>
    </message>
    <message>
        <source>%1 行目, %2</source>
        <translation>line %1, %2</translation>
    </message>
    <message>
        <source>フォルダーです</source>
        <translation>a folder</translation>
    </message>
    <message>
        <source>デバイス定義ファイルを読めません: %1</source>
        <translation>cannot read the catalogue %1</translation>
    </message>
    <message>
        <source>--chip が必要です (&apos;zelko6-cli list&apos; を参照)</source>
        <translation>--chip is needed (see &apos;zelko6-cli list&apos;)</translation>
    </message>
    <message>
        <source>%2 にチップ &apos;%1&apos; はありません (&apos;zelko6-cli list&apos; を参照)</source>
        <translation>no chip &apos;%1&apos; in %2 (see &apos;zelko6-cli list&apos;)</translation>
    </message>
    <message>
        <source>%1 にはアクセスサイズがありません</source>
        <translation>%1 offers no access size</translation>
    </message>
    <message>
        <source>--size %1: %2 のアクセスサイズは %3 です</source>
        <translation>--size %1: %2 offers %3</translation>
    </message>
    <message>
        <source>--port: 1 から 20 の番号かデバイスです。空にはできません</source>
        <translation>--port: a number from 1 to 20, or a device; not empty</translation>
    </message>
    <message>
        <source>--port: 1 から 20 の番号かデバイスです</source>
        <translation>--port: a number from 1 to 20, or a device</translation>
    </message>
    <message>
        <source>%1 バイト、%2 秒: %3 バイト/秒</source>
        <translation>%1 bytes in %2 s: %3 bytes/s</translation>
    </message>
    <message>
        <source>ベリファイログ: %1</source>
        <translation>verify log: %1</translation>
    </message>
    <message>
        <source>チップ。名前か &apos;list&apos; の番号で指定します (read、write、verify、blank で必要。
convert ではこれか --size)</source>
        <translation>the chip, by name or by its index in &apos;list&apos; (needed by read, write,
verify, blank; convert takes it or --size)</translation>
    </message>
    <message>
        <source>ポート番号 1-20 かデバイスのパス (既定: ウィンドウのポート)</source>
        <translation>port number 1-20 or a device path (default: the window&apos;s port)</translation>
    </message>
    <message>
        <source>ブロックの大きさ: チップのアクセスサイズのどれか (既定: 最大のもの)。
--chip のない convert ではイメージの大きさ: 16..16777216 の 2 のべき乗</source>
        <translation>block size: one of the chip&apos;s access sizes (default: the largest);
convert without --chip: the image size, a power of two 16..16777216</translation>
    </message>
    <message>
        <source>1 バイトの読み書きのアドレス (10 進か 0x...)</source>
        <translation>the address of a single-byte read or write (decimal or 0x...)</translation>
    </message>
    <message>
        <source>--address の 1 バイトを読み書きします</source>
        <translation>single-byte read or write at --address</translation>
    </message>
    <message>
        <source>FILE を指定しない &apos;write --byte&apos; で書き込む値</source>
        <translation>the byte of &apos;write --byte&apos; when no FILE is given</translation>
    </message>
    <message>
        <source>書込みの後のベリファイをしません</source>
        <translation>write without the verify that follows</translation>
    </message>
    <message>
        <source>&apos;-&apos; の形式。&apos;-&apos; にだけ使います (既定: hex)</source>
        <translation>the format of &apos;-&apos;, and only of &apos;-&apos; (default: hex)</translation>
    </message>
    <message>
        <source>write、verify、convert: 壊れた Intel HEX や S-record のファイルを、
終了コード 4 にせずウィンドウと同じく読める所まで読み込み、警告します</source>
        <translation>write, verify, convert: load a damaged Intel HEX or S-record file
as the window does (what can be read) and warn, instead of exit 4</translation>
    </message>
    <message>
        <source>結果の言語 (既定: ロケールが日本語なら日本語、それ以外は英語)</source>
        <translation>language of the result texts (default: Japanese when the locale
is Japanese, English otherwise)</translation>
    </message>
    <message>
        <source>demo: シミュレーターを N bit/s で動かします (既定: 速度制限なし)</source>
        <translation>demo: pace the simulator at N bit/s (default: unpaced)</translation>
    </message>
    <message>
        <source>demo: シミュレーター (既定: プログラムの横の tools/zelko6-boardsim)</source>
        <translation>demo: the simulator (default: tools/zelko6-boardsim beside the program)</translation>
    </message>
    <message>
        <source>demo: Intel HEX の保存先 (既定: 一時フォルダー)</source>
        <translation>demo: where the Intel HEX goes (default: a temporary folder)</translation>
    </message>
    <message>
        <source>この説明</source>
        <translation>this text</translation>
    </message>
    <message>
        <source>プログラムのバージョン</source>
        <translation>the program&apos;s version</translation>
    </message>
    <message>
        <source>デバイス定義ファイルのチップ: 番号、名前、表示名、容量、ページサイズ、バス</source>
        <translation>the chips of the catalogue: index, name, label, size, page size, bus</translation>
    </message>
    <message>
        <source>ポート 1-20 と、それぞれが指すデバイス。ないデバイスには &quot;(absent)&quot;。
あるデバイスの下には字下げした &quot;名前: 値&quot; の行: 固定の名前、説明、
メーカー、シリアル番号、USB ID。--probe では、存在するデバイスごとに
接続確認も行います (応答のないポートは最大 10 秒待ちます)</source>
        <translation>ports 1-20 and the device each resolves to, &quot;(absent)&quot; when it is
not there; below a present one, indented &quot;name: value&quot; lines: its
stable name, description, manufacturer, serial number, USB id;
--probe also runs the connection check on each present device (up
to 10 s per silent port)</translation>
    </message>
    <message>
        <source>--port で接続確認を行い、ファームウェアの行を表示します</source>
        <translation>the connection check on --port; prints the firmware line</translation>
    </message>
    <message>
        <source>チップを (アドレス 0 から --size バイト) 読み出して FILE に保存します</source>
        <translation>read the chip (--size bytes from address 0) into FILE</translation>
    </message>
    <message>
        <source>1 バイトを読み出して標準出力に表示します (0xNN)</source>
        <translation>read one byte and print it (0xNN) on standard output</translation>
    </message>
    <message>
        <source>FILE をチップに書き込み、--no-verify がなければベリファイします</source>
        <translation>write FILE into the chip, then verify unless --no-verify</translation>
    </message>
    <message>
        <source>1 バイトを書き込みます: FILE の A の値、または V</source>
        <translation>write one byte: FILE&apos;s byte at A, or V</translation>
    </message>
    <message>
        <source>チップと FILE を比較します</source>
        <translation>compare the chip with FILE</translation>
    </message>
    <message>
        <source>ブランクチェック: チップを (アドレス 0 から --size バイト) 読み出し、
全バイトが 0xFF か (終了コード 0)、そうでないか (終了コード 3) を示します</source>
        <translation>blank check: read the chip (--size bytes from address 0) and tell
whether every byte is 0xFF (exit 0) or not (exit 3)</translation>
    </message>
    <message>
        <source>Intel HEX、S-record、バイナリの間で変換します。容量は --chip
(または --size) のもの。ボードは使いません</source>
        <translation>convert between Intel HEX, S-record and raw binary, for the size of
--chip (or --size); no board needed</translation>
    </message>
    <message>
        <source>接続確認、乱数のイメージの書込み、読み戻し、ベリファイ、Intel HEX での
保存を行います。--port がなければここで起動するボードシミュレーターが
相手です (実際のチップは上書きされるので、そのときは --chip が必要です)</source>
        <translation>identify, write a random image, read it back, verify, save it as
Intel HEX; against the board simulator, started here unless --port
is given (a real chip is overwritten: --chip is then needed)</translation>
    </message>
    <message>
        <source>使い方: zelko6-cli コマンド [ファイル...] [オプション]</source>
        <translation>usage: zelko6-cli COMMAND [FILE...] [options]</translation>
    </message>
    <message>
        <source>コマンド:</source>
        <translation>Commands:</translation>
    </message>
    <message>
        <source>オプション:</source>
        <translation>Options:</translation>
    </message>
    <message>
        <source>ファイル: 形式は名前で決まります。.hex と .ihx は Intel HEX、.s19、.s28、.s37、.srec、.mot
は S-record (64 KiB までは S1 レコード、それより上は S2 で書きます)、.bin はアドレス 0 からの
バイナリです (短いファイルは 0xFF で埋めてそう伝え、長いファイルは何も送る前に断ります)。&apos;-&apos; は
標準入力か標準出力です。
壊れた Intel HEX や S-record のファイル (チェックサムの誤り、途中で切れたレコード、データレコード
やエンドレコードがない) は、--lenient がなければ種類と行を示して断ります。
進み具合は標準エラーに出ます: 端末ならバー、それ以外は 10 % ごとに 1 行です。</source>
        <translation>Files: the name decides the format. .hex and .ihx are Intel HEX; .s19, .s28, .s37, .srec
and .mot are S-record (written with S1 records up to 64 KiB, S2 above); .bin is raw binary,
one byte per address from 0 (a shorter file is padded with 0xFF and said so; a longer one is
refused before anything is sent); &apos;-&apos; is standard input or output.
A damaged Intel HEX or S-record file (a wrong checksum, a record cut off, no data record,
no end record) is refused with the kind and the line, unless --lenient is given.
Progress goes to standard error: a bar on a terminal, otherwise one line per 10 %.</translation>
    </message>
    <message>
        <source>終了コード:
  0  成功
  1  使い方の誤り: 不明なコマンドやオプション、合わないチップ、大きさ、アドレス
  2  ボードがないか通信の失敗: 接続確認、タイムアウト、違う応答、ポートが失われた
  3  ベリファイの不一致 (ログにアドレスがあります)、または blank: チップがブランクでない
  4  ファイルの誤り: 読めない、壊れている、チップに収まらない、書き込めない
  130  Ctrl-C か終了の要求で中断: ポートは閉じ、ファイルは書いていません</source>
        <translation>Exit codes:
  0  success
  1  usage error: unknown command or option, or a chip, size or address that does not suit
  2  no board or link failure: connection check, time-out, wrong acknowledgement, port lost
  3  verify mismatch (the log lists the addresses), or blank: the chip is not blank
  4  file error: unreadable, damaged, does not fit the chip, or cannot be written
  130  interrupted by Ctrl-C or a termination request: the port is closed, no file written</translation>
    </message>
    <message>
        <source>ベリファイログ (既定: プログラムが自分のフォルダーに書き込めるとき (ビルドした
フォルダーなど) はその中の VerifyLog.txt、書き込めないときは
%1)</source>
        <translation>the verify log (default: VerifyLog.txt in the program&apos;s folder when the
program may write there, as in a build tree; otherwise
%1)</translation>
    </message>
    <message>
        <source>デバイス定義ファイル (既定: %1 があれば
それ、なければプログラムの横の zelko6.ini)</source>
        <translation>the chip catalogue (default: %1
when there is one, otherwise zelko6.ini beside the program)</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <comment>the last of several choices</comment>
        <translation>%1 or %2</translation>
    </message>
    <message>
        <source>, </source>
        <comment>between choices</comment>
        <translation>, </translation>
    </message>
    <message>
        <source>&apos;%1&apos; の名前から形式が分かりません: %2 のどれかにしてください</source>
        <translation>cannot tell the format of &apos;%1&apos; from its name: use %2</translation>
    </message>
</context>
<context>
    <name>StartTexts</name>
    <message>
        <source>使い方: zelko6 [-h | --help | --version] [Qt のオプション]
シリアルＥＥＰＲＯＭプログラマーのウィンドウを開きます。すでに開いていれば、そのウィンドウを前面に出します。
  -h, --help   この説明
  --version    プログラムのバージョン
Qt のオプション (-platform など) はそのまま Qt に渡ります。ディスプレイのない所では zelko6-cli を使ってください。
読み書きするファイルは zelko6(1) にあります。</source>
        <translation>Usage: zelko6 [-h | --help | --version] [Qt options]
Opens the serial EEPROM programmer&apos;s window, or brings it to the front when it is already open.
  -h, --help   this text
  --version    the program&apos;s version
Qt&apos;s own options (-platform and others) go to Qt as they are. Where there is no display, use zelko6-cli.
The files it reads and writes are listed in zelko6(1).</translation>
    </message>
    <message>
        <source>%1: DISPLAY が設定されていません</source>
        <translation>%1: DISPLAY is not set</translation>
    </message>
    <message>
        <source>%1: Wayland のコンポジターがありません (WAYLAND_DISPLAY)</source>
        <translation>%1: no Wayland compositor (WAYLAND_DISPLAY)</translation>
    </message>
    <message>
        <source>zelko6: ウィンドウを開くディスプレイがありません (%1)。デスクトップのセッションで起動するか、zelko6-cli を使ってください。</source>
        <translation>zelko6: there is no display to open the window on (%1). Start it in a desktop session, or use zelko6-cli.</translation>
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
        <source>ファイルと比較しました。相違はありません。</source>
        <translation>Compared with the file: no differences.</translation>
    </message>
    <message numerus="yes">
        <source>ファイルと比較しました。%n バイトの相違があります。</source>
        <translation>
            <numerusform>Compared with the file: %n byte differs.</numerusform>
            <numerusform>Compared with the file: %n bytes differ.</numerusform>
        </translation>
    </message>
    <message>
        <source>チップの値: %1</source>
        <translation>Chip&apos;s value: %1</translation>
    </message>
    <message>
        <source>ファイルの値: %1</source>
        <translation>File&apos;s value: %1</translation>
    </message>
    <message>
        <source>ブランクチェック中.....</source>
        <translation>Blank checking.....</translation>
    </message>
    <message>
        <source>ブランクです。（%1 バイトすべて 0xFF）</source>
        <translation>The chip is blank (all %1 bytes are 0xFF).</translation>
    </message>
    <message numerus="yes">
        <source>ブランクではありません。 最初のデータ: %1&#x3000;0xFF 以外: %n バイト</source>
        <translation>
            <numerusform>The chip is not blank. First data at %1; %n byte is not 0xFF.</numerusform>
            <numerusform>The chip is not blank. First data at %1; %n bytes are not 0xFF.</numerusform>
        </translation>
    </message>
    <message>
        <source>見つかりませんでした。</source>
        <translation>Not found.</translation>
    </message>
    <message>
        <source>%1 で見つかりました。（折り返して検索）</source>
        <translation>Found at %1 (search wrapped around).</translation>
    </message>
    <message>
        <source>%1 で見つかりました。</source>
        <translation>Found at %1.</translation>
    </message>
    <message numerus="yes">
        <source>%1～%2 を埋めました。（%n バイト）</source>
        <translation>
            <numerusform>Filled %1 to %2 (%n byte).</numerusform>
            <numerusform>Filled %1 to %2 (%n bytes).</numerusform>
        </translation>
    </message>
    <message>
        <source>ベリファイ 正常終了。 (%1sec)</source>
        <translation>Verify finished without error. (%1sec)</translation>
    </message>
    <message>
        <source>ポートを開く権限がありません: %1（グループ %2）。</source>
        <translation>No permission to open %1, which belongs to the group %2.</translation>
    </message>
    <message>
        <source>次のコマンドを実行してから、ログインし直してください:</source>
        <translation>Run this command, then log out and back in:</translation>
    </message>
    <message>
        <source>グループ %1 には追加済みですが、このセッションの開始後に追加されたため、まだ有効になっていません。ログインし直してください。</source>
        <translation>You were added to the group %1 after this session began, so it does not count yet: log out and back in.</translation>
    </message>
    <message>
        <source>ポートを開く権限がありません: %1（所有者 %2、グループ %3）。</source>
        <translation>No permission to open %1 (owner %2, group %3).</translation>
    </message>
    <message>
        <source>このデバイスは利用者が使うためのものではありません。代わりにシリアル変換器自身のデバイス（/dev/ttyUSB0、/dev/ttyACM0 など）を選んでください。</source>
        <translation>This device is not meant for users: choose the serial adapter&apos;s own device instead, such as /dev/ttyUSB0 or /dev/ttyACM0.</translation>
    </message>
    <message>
        <source>udev ルール %1 がインストールされていません。これがあれば、グループに入らなくても、ログイン中の利用者が一般的な USB シリアル変換器を使えます（zelko6 パッケージに含まれています）。</source>
        <translation>The udev rule %1 is not installed: with it, the user logged in at this computer can use the common USB serial adapters without any group (the zelko6 package includes it).</translation>
    </message>
    <message>
        <source>フォルダーです</source>
        <translation>a folder</translation>
    </message>
    <message>
        <source>通常のファイルではありません</source>
        <translation>not a regular file</translation>
    </message>
    <message>
        <source>この形式のイメージのファイルとしては長すぎます: %1 バイト超</source>
        <translation>too long for an image file in this format: over %1 bytes</translation>
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
    <name>zelko6::BufferDialog</name>
    <message>
        <source>有効なアドレス: %1～%2（16進数。10進数は先頭に # を付けます）</source>
        <translation>Valid addresses: %1 to %2 (hexadecimal; put # before a decimal number).</translation>
    </message>
    <message>
        <source>16進数（例: 1F40、0x1F40、1F40h）か、# を付けた10進数（例: #8000）で入力してください。</source>
        <translation>Enter a hexadecimal number (for example 1F40, 0x1F40 or 1F40h) or a decimal number after # (for example #8000).</translation>
    </message>
    <message>
        <source>%1が範囲外です。%2～%3 の範囲で入力してください。</source>
        <translation>%1 is out of range. Enter a value from %2 to %3.</translation>
    </message>
    <message>
        <source>%1が正しくありません。%2</source>
        <translation>%1 is not valid. %2</translation>
    </message>
    <message>
        <source>開始アドレス</source>
        <translation>Start address</translation>
    </message>
    <message>
        <source>終了アドレス</source>
        <translation>End address</translation>
    </message>
    <message>
        <source>長さ</source>
        <translation>Length</translation>
    </message>
    <message>
        <source>アドレス</source>
        <translation>Address</translation>
    </message>
</context>
<context>
    <name>zelko6::BufferTools</name>
    <message>
        <source>編集(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>チップの変更、ファイルのロード、Block Read、バッファのクリアで履歴は消えます。</source>
        <translation>Choosing a chip, loading a file, Block Read and clearing the buffer empty the history.</translation>
    </message>
    <message>
        <source>元に戻す(&amp;U)</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>直前のバッファの変更を取り消します。%1</source>
        <translation>Takes back the last change to the buffer. %1</translation>
    </message>
    <message>
        <source>やり直し(&amp;R)</source>
        <translation>&amp;Redo</translation>
    </message>
    <message>
        <source>取り消した変更をもう一度行います。%1</source>
        <translation>Makes the change that was taken back again. %1</translation>
    </message>
    <message>
        <source>アドレスへ移動(&amp;G)...</source>
        <translation>&amp;Go to Address...</translation>
    </message>
    <message>
        <source>検索(&amp;F)...</source>
        <translation>&amp;Find...</translation>
    </message>
    <message>
        <source>次を検索(&amp;N)</source>
        <translation>Find &amp;Next</translation>
    </message>
    <message>
        <source>前を検索(&amp;P)</source>
        <translation>Find &amp;Previous</translation>
    </message>
    <message>
        <source>範囲を埋める(&amp;L)...</source>
        <translation>Fi&amp;ll Range...</translation>
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
    <name>zelko6::FillDialog</name>
    <message>
        <source>終了アドレスが開始アドレスより前です。</source>
        <translation>The end address comes before the start address.</translation>
    </message>
    <message>
        <source>長さは1以上で、バッファの終わり（%1）を越えない値にしてください。</source>
        <translation>The length must be at least 1 and must not reach past the end of the buffer (%1).</translation>
    </message>
    <message>
        <source>値は1～16バイトの16進数で入力してください（例: FF、DE AD BE EF）。</source>
        <translation>Enter the value as 1 to 16 hexadecimal bytes (for example FF or DE AD BE EF).</translation>
    </message>
    <message>
        <source>範囲を埋める</source>
        <translation>Fill Range</translation>
    </message>
    <message>
        <source>開始アドレス(&amp;S):</source>
        <translation>&amp;Start address:</translation>
    </message>
    <message>
        <source>終了アドレス(&amp;E)</source>
        <translation>&amp;End address</translation>
    </message>
    <message>
        <source>長さ(&amp;L)</source>
        <translation>&amp;Length</translation>
    </message>
    <message>
        <source>値(&amp;V):</source>
        <translation>&amp;Value:</translation>
    </message>
    <message>
        <source>値</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>1～16バイトの16進数。範囲の先頭から繰り返して書き込みます。</source>
        <translation>1 to 16 hexadecimal bytes, written again and again from the start of the range.</translation>
    </message>
</context>
<context>
    <name>zelko6::FindDialog</name>
    <message>
        <source>16進数のバイト列を入力してください（例: DE AD BE EF、deadbeef）。</source>
        <translation>Enter the bytes in hexadecimal (for example DE AD BE EF or deadbeef).</translation>
    </message>
    <message>
        <source>検索する文字列を入力してください。シフトJISにない文字は検索できません。</source>
        <translation>Enter the text to find. Characters that Shift JIS does not have cannot be searched for.</translation>
    </message>
    <message>
        <source>検索</source>
        <translation>Find</translation>
    </message>
    <message>
        <source>検索する値(&amp;V):</source>
        <translation>Find &amp;what:</translation>
    </message>
    <message>
        <source>検索する値</source>
        <translation>Find what</translation>
    </message>
    <message>
        <source>16進数(&amp;H)</source>
        <translation>&amp;Hexadecimal</translation>
    </message>
    <message>
        <source>文字列（シフトJIS）(&amp;T)</source>
        <translation>&amp;Text (Shift JIS)</translation>
    </message>
    <message>
        <source>次を検索(&amp;N)</source>
        <translation>Find &amp;Next</translation>
    </message>
    <message>
        <source>前を検索(&amp;P)</source>
        <translation>Find &amp;Previous</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>現在のセルから検索し、バッファの端まで来ると反対の端から続けます。</source>
        <translation>The search starts at the current cell and, at one end of the buffer, goes on from the other.</translation>
    </message>
</context>
<context>
    <name>zelko6::GoToDialog</name>
    <message>
        <source>アドレスへ移動</source>
        <translation>Go to Address</translation>
    </message>
    <message>
        <source>アドレス(&amp;A):</source>
        <translation>&amp;Address:</translation>
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
    <message>
        <source>Verify</source>
        <translation>Verify</translation>
    </message>
    <message>
        <source>ファイルと比較(&amp;C)...</source>
        <translation>&amp;Compare with File...</translation>
    </message>
    <message>
        <source>ブランクチェック(&amp;K)</source>
        <translation>Blan&amp;k Check</translation>
    </message>
    <message>
        <source>ベリファイ(&amp;V)</source>
        <translation>&amp;Verify</translation>
    </message>
    <message>
        <source>次の相違</source>
        <translation>Next Difference</translation>
    </message>
    <message>
        <source>前の相違</source>
        <translation>Previous Difference</translation>
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
        <source>Hexファイル</source>
        <translation>Intel HEX files</translation>
    </message>
    <message>
        <source>S-recordファイル</source>
        <translation>S-record files</translation>
    </message>
    <message>
        <source>バイナリファイル</source>
        <translation>Binary files</translation>
    </message>
    <message>
        <source>全てのファイル (*.*)</source>
        <translation>All files (*.*)</translation>
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
