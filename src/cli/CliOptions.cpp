#include "cli/CliOptions.h"

#include "cli/CommandLineText.h"
#include <functional>
#include <map>

namespace zelko6::cli {

std::optional<qint64> parseNumber(const QString &text)
{
    bool ok = false;
    qint64 value = 0;
    if (text.startsWith(QStringLiteral("0x"), Qt::CaseInsensitive))
        value = text.mid(2).toLongLong(&ok, 16);
    else if (!text.isEmpty() && text[0].isDigit())
        value = text.toLongLong(&ok, 10);
    if (!ok || value < 0)
        return std::nullopt;
    return value;
}

namespace {

// Options that take no value, and what each sets.
const std::map<QString, std::function<void(CliOptions &)>> &flags()
{
    static const std::map<QString, std::function<void(CliOptions &)>> table = {
        {QStringLiteral("--byte"), [](CliOptions &o) { o.byte = true; }},
        {QStringLiteral("--no-verify"), [](CliOptions &o) { o.noVerify = true; }},
        {QStringLiteral("--probe"), [](CliOptions &o) { o.probe = true; }},
        {QStringLiteral("--lenient"), [](CliOptions &o) { o.lenient = true; }},
        {QStringLiteral("--help"), [](CliOptions &o) { o.help = true; }},
        {QStringLiteral("-h"), [](CliOptions &o) { o.help = true; }},
        {QStringLiteral("--version"), [](CliOptions &o) { o.version = true; }},
    };
    return table;
}

using Setter = std::function<std::optional<QString>(CliOptions &, const QString &)>;

std::optional<QString> numberInto(std::optional<qint64> &target, const QString &name, const QString &text)
{
    target = parseNumber(text);
    if (!target)
        return CommandLine::tr("%1: 数値ではありません: %2").arg(name, text);
    return std::nullopt;
}

// Options that take a value, and how each reads it; a text names what was wrong.
const std::map<QString, Setter> &valued()
{
    static const std::map<QString, Setter> table = {
        {QStringLiteral("--chip"),
         [](CliOptions &o, const QString &v) -> std::optional<QString> {
             o.chip = v;
             return std::nullopt;
         }},
        {QStringLiteral("--port"),
         [](CliOptions &o, const QString &v) -> std::optional<QString> {
             o.port = v;
             return std::nullopt;
         }},
        {QStringLiteral("--size"),
         [](CliOptions &o, const QString &v) { return numberInto(o.size, QStringLiteral("--size"), v); }},
        {QStringLiteral("--address"),
         [](CliOptions &o, const QString &v) {
             return numberInto(o.address, QStringLiteral("--address"), v);
         }},
        {QStringLiteral("--value"),
         [](CliOptions &o, const QString &v) -> std::optional<QString> {
             const auto n = parseNumber(v);
             if (!n || *n > 0xFF)
                 return CommandLine::tr("--value: バイトの値ではありません (0..255 か 0x00..0xFF): %1")
                     .arg(v);
             o.value = static_cast<int>(*n);
             return std::nullopt;
         }},
        {QStringLiteral("--log"),
         [](CliOptions &o, const QString &v) -> std::optional<QString> {
             o.logPath = v;
             return std::nullopt;
         }},
        {QStringLiteral("--catalogue"),
         [](CliOptions &o, const QString &v) -> std::optional<QString> {
             o.catalogue = v;
             return std::nullopt;
         }},
        {QStringLiteral("--format"),
         [](CliOptions &o, const QString &v) -> std::optional<QString> {
             o.dashFormat = formatOfWord(v);
             if (!o.dashFormat)
                 return CommandLine::tr("--format: hex、bin、srec のどれかです (%1 は使えません)").arg(v);
             return std::nullopt;
         }},
        {QStringLiteral("--lang"),
         [](CliOptions &o, const QString &v) -> std::optional<QString> {
             if (v == QStringLiteral("ja"))
                 o.language = Language::Japanese;
             else if (v == QStringLiteral("en"))
                 o.language = Language::English;
             else
                 return CommandLine::tr("--lang: ja か en です (%1 は使えません)").arg(v);
             return std::nullopt;
         }},
        {QStringLiteral("--baud"),
         [](CliOptions &o, const QString &v) -> std::optional<QString> {
             const auto n = parseNumber(v);
             if (!n || *n < 1 || *n > 10'000'000)
                 return CommandLine::tr("--baud: ビットレートではありません: %1").arg(v);
             o.baud = static_cast<int>(*n);
             return std::nullopt;
         }},
        {QStringLiteral("--simulator"),
         [](CliOptions &o, const QString &v) -> std::optional<QString> {
             o.simulator = v;
             return std::nullopt;
         }},
        {QStringLiteral("--output"),
         [](CliOptions &o, const QString &v) -> std::optional<QString> {
             o.output = v;
             return std::nullopt;
         }},
    };
    return table;
}

} // namespace

std::variant<CliOptions, UsageError> parseArguments(const QStringList &arguments)
{
    CliOptions options;
    QStringList positional;
    bool optionsEnded = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &arg = arguments[i];
        // "-" names standard input or output; after "--" every word is a file name.
        if (optionsEnded || arg == QStringLiteral("-") || !arg.startsWith(u'-')) {
            positional << arg;
            continue;
        }
        if (arg == QStringLiteral("--")) {
            optionsEnded = true;
            continue;
        }
        QString name = arg;
        std::optional<QString> inlineValue;
        if (const qsizetype eq = arg.indexOf(u'='); eq > 0) {
            name = arg.left(eq);
            inlineValue = arg.mid(eq + 1);
        }
        if (const auto flag = flags().find(name); flag != flags().end()) {
            if (inlineValue)
                return UsageError{CommandLine::tr("%1 は値を取りません").arg(name)};
            flag->second(options);
            continue;
        }
        const auto setter = valued().find(name);
        if (setter == valued().end())
            return UsageError{CommandLine::tr("不明なオプションです: %1").arg(name)};
        if (!inlineValue && i + 1 >= arguments.size())
            return UsageError{CommandLine::tr("%1: 値がありません").arg(name)};
        const QString value = inlineValue ? *inlineValue : arguments[++i];
        if (const auto wrong = setter->second(options, value))
            return UsageError{*wrong};
    }
    if (!positional.isEmpty()) {
        options.command = positional.takeFirst();
        options.files = positional;
    }
    // Every named file takes the format its name says; a --format without "-" would be ignored
    // while the user believes it obeyed.
    if (options.dashFormat && !options.files.contains(QStringLiteral("-")))
        return UsageError{CommandLine::tr("--format は '-' の形式を決めるものですが、'-' がありません")};
    return options;
}

QString usageText()
{
    return CommandLine::tr(
        "使い方: zelko6-cli コマンド [ファイル...] [オプション]\n"
        "\n"
        "コマンド:\n"
        "  list                  デバイス定義ファイルのチップ: 番号、名前、表示名、容量、ページサイズ、バス\n"
        "  ports [--probe]       ポート 1-20 と、それぞれが指すデバイス。ないデバイスには \"(absent)\"。\n"
        "                        あるデバイスの下には字下げした \"名前: 値\" の行: 固定の名前、説明、\n"
        "                        メーカー、シリアル番号、USB ID。--probe では、存在するデバイスごとに\n"
        "                        接続確認も行います (応答のないポートは最大 10 秒待ちます)\n"
        "  identify              --port で接続確認を行い、ファームウェアの行を表示します\n"
        "  read FILE             チップを (アドレス 0 から --size バイト) 読み出して FILE に保存します\n"
        "  read --byte --address A\n"
        "                        1 バイトを読み出して標準出力に表示します (0xNN)\n"
        "  write FILE            FILE をチップに書き込み、--no-verify がなければベリファイします\n"
        "  write --byte --address A (FILE | --value V)\n"
        "                        1 バイトを書き込みます: FILE の A の値、または V\n"
        "  verify FILE           チップと FILE を比較します\n"
        "  blank                 ブランクチェック: チップを (アドレス 0 から --size バイト) 読み出し、\n"
        "                        全バイトが 0xFF か (終了コード 0)、そうでないか (終了コード 3) を示します\n"
        "  convert IN OUT        Intel HEX、S-record、バイナリの間で変換します。容量は --chip\n"
        "                        (または --size) のもの。ボードは使いません\n"
        "  demo                  接続確認、乱数のイメージの書込み、読み戻し、ベリファイ、Intel HEX での\n"
        "                        保存を行います。--port がなければここで起動するボードシミュレーターが\n"
        "                        相手です (実際のチップは上書きされるので、そのときは --chip が必要です)\n"
        "\n"
        "オプション:\n"
        "  --chip NAME|INDEX     チップ。名前か 'list' の番号で指定します (read、write、verify、blank "
        "で必要。\n"
        "                        convert ではこれか --size)\n"
        "  --port N|DEVICE       ポート番号 1-20 かデバイスのパス (既定: ウィンドウのポート)\n"
        "  --size BYTES          ブロックの大きさ: チップのアクセスサイズのどれか (既定: 最大のもの)。\n"
        "                        --chip のない convert ではイメージの大きさ: 16..16777216 の 2 のべき乗\n"
        "  --address A           1 バイトの読み書きのアドレス (10 進か 0x...)\n"
        "  --byte                --address の 1 バイトを読み書きします\n"
        "  --value V             FILE を指定しない 'write --byte' で書き込む値\n"
        "  --no-verify           書込みの後のベリファイをしません\n"
        "  --log FILE            ベリファイログ (既定: プログラムの横の VerifyLog.txt)\n"
        "  --catalogue FILE      デバイス定義ファイル (既定: プログラムの横の zelko6.ini)\n"
        "  --format hex|bin|srec '-' の形式。'-' にだけ使います (既定: hex)\n"
        "  --lenient             write、verify、convert: 壊れた Intel HEX や S-record のファイルを、\n"
        "                        終了コード 4 にせずウィンドウと同じく読める所まで読み込み、警告します\n"
        "  --lang ja|en          結果の言語 (既定: ロケールが日本語なら日本語、それ以外は英語)\n"
        "  --baud N              demo: シミュレーターを N bit/s で動かします (既定: 速度制限なし)\n"
        "  --simulator PATH      demo: シミュレーター (既定: プログラムの横の tools/zelko6-boardsim)\n"
        "  --output FILE         demo: Intel HEX の保存先 (既定: 一時フォルダー)\n"
        "  -h, --help            この説明\n"
        "  --version             プログラムのバージョン\n"
        "\n"
        "ファイル: 形式は名前で決まります。.hex と .ihx は Intel HEX、.s19、.s28、.s37、.srec、.mot\n"
        "は S-record (64 KiB までは S1 レコード、それより上は S2 で書きます)、.bin はアドレス 0 からの\n"
        "バイナリです (短いファイルは 0xFF で埋めてそう伝え、長いファイルは何も送る前に断ります)。'-' は\n"
        "標準入力か標準出力です。\n"
        "壊れた Intel HEX や S-record のファイル (チェックサムの誤り、途中で切れたレコード、データレコード\n"
        "やエンドレコードがない) は、--lenient がなければ種類と行を示して断ります。\n"
        "進み具合は標準エラーに出ます: 端末ならバー、それ以外は 10 % ごとに 1 行です。\n"
        "\n"
        "終了コード:\n"
        "  0  成功\n"
        "  1  使い方の誤り: 不明なコマンドやオプション、合わないチップ、大きさ、アドレス\n"
        "  2  ボードがないか通信の失敗: 接続確認、タイムアウト、違う応答、ポートが失われた\n"
        "  3  ベリファイの不一致 (ログにアドレスがあります)、または blank: チップがブランクでない\n"
        "  4  ファイルの誤り: 読めない、壊れている、チップに収まらない、書き込めない\n"
        "  130  Ctrl-C か終了の要求で中断: ポートは閉じ、ファイルは書いていません\n");
}

} // namespace zelko6::cli
