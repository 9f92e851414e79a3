#include "cli/Descriptions.h"

#include "cli/CommandLineText.h"
#include "cli/Commands.h"
#include "core/base/ProgramFolder.h"
#include "core/base/Settings.h"
#include "core/devices/DeviceFile.h"
#include "core/programmer/VerifyLog.h"

#include <QDir>
#include <algorithm>

namespace zelko6::cli {

namespace {

using Setter = OptionDescription::Setter;

Setter text(QString CliOptions::*field)
{
    return [field](CliOptions &o, const QString &v) -> std::optional<QString> {
        o.*field = v;
        return std::nullopt;
    };
}

Setter number(std::optional<qint64> CliOptions::*field, const QString &name)
{
    return [field, name](CliOptions &o, const QString &v) -> std::optional<QString> {
        o.*field = parseNumber(v);
        if (!(o.*field))
            return CommandLine::tr("%1: 数値ではありません: %2").arg(name, v);
        return std::nullopt;
    };
}

Setter flag(bool CliOptions::*field)
{
    return [field](CliOptions &o, const QString &) -> std::optional<QString> {
        o.*field = true;
        return std::nullopt;
    };
}

std::optional<QString> setFormat(CliOptions &o, const QString &v)
{
    o.dashFormat = formatOfWord(v);
    if (!o.dashFormat)
        return CommandLine::tr("--format: hex、bin、srec のどれかです (%1 は使えません)").arg(v);
    return std::nullopt;
}

std::optional<QString> setLanguage(CliOptions &o, const QString &v)
{
    o.language = languageFromCode(v);
    if (!o.language)
        return CommandLine::tr("--lang: ja か en です (%1 は使えません)").arg(v);
    return std::nullopt;
}

std::optional<QString> setValue(CliOptions &o, const QString &v)
{
    const auto n = parseNumber(v);
    if (!n || *n > 0xFF)
        return CommandLine::tr("--value: バイトの値ではありません (0..255 か 0x00..0xFF): %1").arg(v);
    o.value = static_cast<int>(*n);
    return std::nullopt;
}

std::optional<QString> setBaud(CliOptions &o, const QString &v)
{
    const auto n = parseNumber(v);
    if (!n || *n < 1 || *n > 10'000'000)
        return CommandLine::tr("--baud: ビットレートではありません: %1").arg(v);
    o.baud = static_cast<int>(*n);
    return std::nullopt;
}

std::vector<OptionDescription> makeOptions()
{
    // The demo's own options share one complaint.
    const char *demoOnly =
        QT_TRANSLATE_NOOP("CommandLine", "--baud、--simulator、--output は demo と使います");
    return {
        {.name = QStringLiteral("--chip"),
         .placeholder = QStringLiteral("NAME|INDEX"),
         .value = ValueKind::Chip,
         .help = QT_TRANSLATE_NOOP("CommandLine",
                                   "チップ。名前か 'list' の番号で指定します (read、write、verify、blank "
                                   "で必要。\nconvert ではこれか --size)"),
         .set = text(&CliOptions::chip)},
        {.name = QStringLiteral("--port"),
         .placeholder = QStringLiteral("N|DEVICE"),
         .value = ValueKind::Port,
         .help =
             QT_TRANSLATE_NOOP("CommandLine", "ポート番号 1-20 かデバイスのパス (既定: ウィンドウのポート)"),
         .set = [](CliOptions &o, const QString &v) -> std::optional<QString> {
             o.port = v;
             return std::nullopt;
         }},
        {.name = QStringLiteral("--size"),
         .placeholder = QStringLiteral("BYTES"),
         .value = ValueKind::Size,
         .help = QT_TRANSLATE_NOOP("CommandLine",
                                   "ブロックの大きさ: チップのアクセスサイズのどれか (既定: 最大のもの)。\n"
                                   "--chip のない convert ではイメージの大きさ: 16..16777216 の 2 のべき乗"),
         .set = number(&CliOptions::size, QStringLiteral("--size"))},
        {.name = QStringLiteral("--address"),
         .placeholder = QStringLiteral("A"),
         .value = ValueKind::Number,
         .help = QT_TRANSLATE_NOOP("CommandLine", "1 バイトの読み書きのアドレス (10 進か 0x...)"),
         .misfit = QT_TRANSLATE_NOOP("CommandLine", "--address は --byte と使います"),
         .needs = QStringLiteral("--byte"),
         .set = number(&CliOptions::address, QStringLiteral("--address"))},
        {.name = QStringLiteral("--byte"),
         .help = QT_TRANSLATE_NOOP("CommandLine", "--address の 1 バイトを読み書きします"),
         .misfit = QT_TRANSLATE_NOOP("CommandLine", "--byte は read か write と使います"),
         .set = flag(&CliOptions::byte)},
        {.name = QStringLiteral("--value"),
         .placeholder = QStringLiteral("V"),
         .value = ValueKind::Number,
         .help = QT_TRANSLATE_NOOP("CommandLine", "FILE を指定しない 'write --byte' で書き込む値"),
         .misfit = QT_TRANSLATE_NOOP("CommandLine", "--value は write --byte と使います"),
         .needs = QStringLiteral("--byte"),
         .set = setValue},
        // Described with `ports`, the one command it goes with.
        {.name = QStringLiteral("--probe"),
         .misfit = QT_TRANSLATE_NOOP("CommandLine", "--probe は ports と使います"),
         .set = flag(&CliOptions::probe)},
        {.name = QStringLiteral("--no-verify"),
         .help = QT_TRANSLATE_NOOP("CommandLine", "書込みの後のベリファイをしません"),
         .misfit = QT_TRANSLATE_NOOP("CommandLine", "--no-verify は write と使います"),
         .set = flag(&CliOptions::noVerify)},
        // Where the program's own files go by default, with the user's real folders in the text.
        {.name = QStringLiteral("--log"),
         .placeholder = QStringLiteral("FILE"),
         .value = ValueKind::File,
         .help = QT_TRANSLATE_NOOP(
             "CommandLine", "ベリファイログ (既定: プログラムが自分のフォルダーに書き込めるとき (ビルドした\n"
                            "フォルダーなど) はその中の VerifyLog.txt、書き込めないときは\n"
                            "%1)"),
         .helpArguments = [] { return QStringList{QDir(userDataFolder()).filePath(kVerifyLogName)}; },
         .set = text(&CliOptions::logPath)},
        {.name = QStringLiteral("--catalogue"),
         .placeholder = QStringLiteral("FILE"),
         .value = ValueKind::File,
         .help = QT_TRANSLATE_NOOP("CommandLine", "デバイス定義ファイル (既定: %1 があれば\n"
                                                  "それ、なければプログラムの横の zelko6.ini)"),
         .helpArguments = [] { return QStringList{QDir(userSettingsFolder()).filePath(kDeviceFileName)}; },
         .set = text(&CliOptions::catalogue)},
        {.name = QStringLiteral("--format"),
         .placeholder = QStringLiteral("hex|bin|srec"),
         .value = ValueKind::Choice,
         .choices = {QStringLiteral("hex"), QStringLiteral("bin"), QStringLiteral("srec")},
         .help = QT_TRANSLATE_NOOP("CommandLine", "'-' の形式。'-' にだけ使います (既定: hex)"),
         .set = setFormat},
        {.name = QStringLiteral("--lenient"),
         .help = QT_TRANSLATE_NOOP("CommandLine",
                                   "write、verify、convert: 壊れた Intel HEX や S-record のファイルを、\n"
                                   "終了コード 4 にせずウィンドウと同じく読める所まで読み込み、警告します"),
         .misfit = QT_TRANSLATE_NOOP("CommandLine", "--lenient は write、verify、convert のどれかと使います"),
         .set = flag(&CliOptions::lenient)},
        {.name = QStringLiteral("--lang"),
         .placeholder = QStringLiteral("ja|en"),
         .value = ValueKind::Choice,
         .choices = {QStringLiteral("ja"), QStringLiteral("en")},
         .help = QT_TRANSLATE_NOOP("CommandLine",
                                   "結果の言語 (既定: ロケールが日本語なら日本語、それ以外は英語)"),
         .set = setLanguage},
        {.name = QStringLiteral("--baud"),
         .placeholder = QStringLiteral("N"),
         .value = ValueKind::Number,
         .help = QT_TRANSLATE_NOOP("CommandLine",
                                   "demo: シミュレーターを N bit/s で動かします (既定: 速度制限なし)"),
         .misfit = demoOnly,
         .set = setBaud},
        {.name = QStringLiteral("--simulator"),
         .placeholder = QStringLiteral("PATH"),
         .value = ValueKind::File,
         .help = QT_TRANSLATE_NOOP("CommandLine",
                                   "demo: シミュレーター (既定: プログラムの横の tools/zelko6-boardsim)"),
         .misfit = demoOnly,
         .set = text(&CliOptions::simulator)},
        {.name = QStringLiteral("--output"),
         .placeholder = QStringLiteral("FILE"),
         .value = ValueKind::File,
         .help = QT_TRANSLATE_NOOP("CommandLine", "demo: Intel HEX の保存先 (既定: 一時フォルダー)"),
         .misfit = demoOnly,
         .set = text(&CliOptions::output)},
        {.name = QStringLiteral("--help"),
         .alias = QStringLiteral("-h"),
         .help = QT_TRANSLATE_NOOP("CommandLine", "この説明"),
         .set = flag(&CliOptions::help)},
        {.name = QStringLiteral("--version"),
         .help = QT_TRANSLATE_NOOP("CommandLine", "プログラムのバージョン"),
         .set = flag(&CliOptions::version)},
    };
}

std::vector<CommandDescription> makeCommands()
{
    const Needs board{.chip = ChipNeed::Named, .size = SizeNeed::Block, .port = true};
    return {
        {.name = QStringLiteral("list"),
         .usage = {{QStringLiteral("list"),
                    QT_TRANSLATE_NOOP(
                        "CommandLine",
                        "デバイス定義ファイルのチップ: 番号、名前、表示名、容量、ページサイズ、バス")}},
         .needs = {.catalogue = true},
         .run = runList},
        {.name = QStringLiteral("ports"),
         .usage = {{QStringLiteral("ports [--probe]"),
                    QT_TRANSLATE_NOOP(
                        "CommandLine",
                        "ポート 1-20 と、それぞれが指すデバイス。ないデバイスには \"(absent)\"。\n"
                        "あるデバイスの下には字下げした \"名前: 値\" の行: 固定の名前、説明、\n"
                        "メーカー、シリアル番号、USB ID。--probe では、存在するデバイスごとに\n"
                        "接続確認も行います (応答のないポートは最大 10 秒待ちます)")}},
         .options = {QStringLiteral("--probe")},
         .run = runPorts},
        {.name = QStringLiteral("identify"),
         .usage = {{QStringLiteral("identify"),
                    QT_TRANSLATE_NOOP("CommandLine",
                                      "--port で接続確認を行い、ファームウェアの行を表示します")}},
         .needs = {.port = true},
         .run = runIdentify},
        {.name = QStringLiteral("read"),
         .usage = {{QStringLiteral("read FILE"),
                    QT_TRANSLATE_NOOP(
                        "CommandLine",
                        "チップを (アドレス 0 から --size バイト) 読み出して FILE に保存します")},
                   {QStringLiteral("read --byte --address A"),
                    QT_TRANSLATE_NOOP("CommandLine", "1 バイトを読み出して標準出力に表示します (0xNN)")}},
         .options = {QStringLiteral("--byte")},
         .files =
             [](const CliOptions &o) {
                 return o.byte ? FileArguments{0, CommandLine::tr("read --byte はファイルを取りません")}
                               : FileArguments{1, CommandLine::tr("read はファイルを1つ取ります")};
             },
         .needs = board,
         .run = runRead},
        {.name = QStringLiteral("write"),
         .usage = {{QStringLiteral("write FILE"),
                    QT_TRANSLATE_NOOP("CommandLine",
                                      "FILE をチップに書き込み、--no-verify がなければベリファイします")},
                   {QStringLiteral("write --byte --address A (FILE | --value V)"),
                    QT_TRANSLATE_NOOP("CommandLine", "1 バイトを書き込みます: FILE の A の値、または V")}},
         .options = {QStringLiteral("--byte"), QStringLiteral("--value"), QStringLiteral("--no-verify"),
                     QStringLiteral("--lenient")},
         .files =
             [](const CliOptions &o) {
                 return o.byte && o.value
                            ? FileArguments{0, CommandLine::tr("write --byte --value はファイルを取りません")}
                            : FileArguments{1, CommandLine::tr("write はファイルを1つ取ります")};
             },
         .needs = board,
         .run = runWrite},
        {.name = QStringLiteral("verify"),
         .usage = {{QStringLiteral("verify FILE"),
                    QT_TRANSLATE_NOOP("CommandLine", "チップと FILE を比較します")}},
         .options = {QStringLiteral("--lenient")},
         .files =
             [](const CliOptions &) {
                 return FileArguments{1, CommandLine::tr("verify はファイルを1つ取ります")};
             },
         .needs = board,
         .run = runVerify},
        {.name = QStringLiteral("blank"),
         .usage = {{QStringLiteral("blank"),
                    QT_TRANSLATE_NOOP(
                        "CommandLine",
                        "ブランクチェック: チップを (アドレス 0 から --size バイト) 読み出し、\n"
                        "全バイトが 0xFF か (終了コード 0)、そうでないか (終了コード 3) を示します")}},
         .needs = board,
         .run = runBlank},
        {.name = QStringLiteral("convert"),
         .usage = {{QStringLiteral("convert IN OUT"),
                    QT_TRANSLATE_NOOP("CommandLine",
                                      "Intel HEX、S-record、バイナリの間で変換します。容量は --chip\n"
                                      "(または --size) のもの。ボードは使いません")}},
         .options = {QStringLiteral("--lenient")},
         .files =
             [](const CliOptions &) {
                 return FileArguments{2, CommandLine::tr("convert は入力と出力のファイルを取ります")};
             },
         .needs = {.chip = ChipNeed::IfNamed, .size = SizeNeed::Image},
         .run = runConvert},
        {.name = QStringLiteral("demo"),
         .usage = {{QStringLiteral("demo"),
                    QT_TRANSLATE_NOOP(
                        "CommandLine",
                        "接続確認、乱数のイメージの書込み、読み戻し、ベリファイ、Intel HEX での\n"
                        "保存を行います。--port がなければここで起動するボードシミュレーターが\n"
                        "相手です (実際のチップは上書きされるので、そのときは --chip が必要です)")}},
         .options = {QStringLiteral("--baud"), QStringLiteral("--simulator"), QStringLiteral("--output")},
         .needs = {.chip = ChipNeed::LargestOnSimulator, .size = SizeNeed::Block, .port = true},
         .run = runDemo},
    };
}

// Where the descriptions start in the usage text: a longer synopsis has a line of its own.
constexpr qsizetype kDescriptionColumn = 24;

QString usageEntry(const QString &synopsis, const char *sourceText, const QStringList &arguments = {})
{
    QString entry = QStringLiteral("  ") + synopsis;
    const QString indent(kDescriptionColumn, u' ');
    entry =
        entry.size() < kDescriptionColumn ? entry.leftJustified(kDescriptionColumn) : entry + u'\n' + indent;
    QString text = CommandLine::tr(sourceText);
    for (const QString &argument : arguments)
        text = text.arg(argument);
    return entry + text.replace(u'\n', u'\n' + indent) + u'\n';
}

} // namespace

const std::vector<OptionDescription> &optionDescriptions()
{
    static const std::vector<OptionDescription> table = makeOptions();
    return table;
}

const std::vector<CommandDescription> &commandDescriptions()
{
    static const std::vector<CommandDescription> table = makeCommands();
    return table;
}

const OptionDescription *findOption(const QString &nameOrAlias)
{
    for (const OptionDescription &option : optionDescriptions())
        if (option.name == nameOrAlias || (!option.alias.isEmpty() && option.alias == nameOrAlias))
            return &option;
    return nullptr;
}

const CommandDescription *findCommand(const QString &name)
{
    for (const CommandDescription &command : commandDescriptions())
        if (command.name == name)
            return &command;
    return nullptr;
}

bool goesWith(const OptionDescription &option, const CommandDescription *command)
{
    // An option no command lists goes with every command.
    const auto &commands = commandDescriptions();
    const bool restricted = std::any_of(commands.begin(), commands.end(), [&](const CommandDescription &c) {
        return c.options.contains(option.name);
    });
    return !restricted || (command && command->options.contains(option.name));
}

QString usageText()
{
    QString text = CommandLine::tr("使い方: zelko6-cli コマンド [ファイル...] [オプション]") +
                   QStringLiteral("\n\n") + CommandLine::tr("コマンド:") + u'\n';
    for (const CommandDescription &command : commandDescriptions())
        for (const UsageLine &line : command.usage)
            text += usageEntry(line.synopsis, line.text);
    text += u'\n' + CommandLine::tr("オプション:") + u'\n';
    for (const OptionDescription &option : optionDescriptions()) {
        if (!option.help)
            continue;
        QString synopsis =
            option.alias.isEmpty() ? option.name : option.alias + QStringLiteral(", ") + option.name;
        if (!option.placeholder.isEmpty())
            synopsis += u' ' + option.placeholder;
        text +=
            usageEntry(synopsis, option.help, option.helpArguments ? option.helpArguments() : QStringList());
    }
    return text + u'\n' +
           CommandLine::tr(
               "ファイル: 形式は名前で決まります。.hex と .ihx は Intel HEX、.s19、.s28、.s37、.srec、.mot\n"
               "は S-record (64 KiB までは S1 レコード、それより上は S2 で書きます)、.bin はアドレス 0 "
               "からの\n"
               "バイナリです (短いファイルは 0xFF で埋めてそう伝え、長いファイルは何も送る前に断ります)。'-' "
               "は\n"
               "標準入力か標準出力です。\n"
               "壊れた Intel HEX や S-record のファイル "
               "(チェックサムの誤り、途中で切れたレコード、データレコード\n"
               "やエンドレコードがない) は、--lenient がなければ種類と行を示して断ります。\n"
               "進み具合は標準エラーに出ます: 端末ならバー、それ以外は 10 % ごとに 1 行です。") +
           QStringLiteral("\n\n") +
           CommandLine::tr(
               "終了コード:\n"
               "  0  成功\n"
               "  1  使い方の誤り: 不明なコマンドやオプション、合わないチップ、大きさ、アドレス\n"
               "  2  ボードがないか通信の失敗: 接続確認、タイムアウト、違う応答、ポートが失われた\n"
               "  3  ベリファイの不一致 (ログにアドレスがあります)、または blank: チップがブランクでない\n"
               "  4  ファイルの誤り: 読めない、壊れている、チップに収まらない、書き込めない\n"
               "  130  Ctrl-C か終了の要求で中断: ポートは閉じ、ファイルは書いていません");
}

FileArguments filesOf(const CommandDescription *command, const CliOptions &options)
{
    if (command && command->files)
        return command->files(options);
    return {0, CommandLine::tr("%1 はファイルを取りません").arg(options.command)};
}

} // namespace zelko6::cli
