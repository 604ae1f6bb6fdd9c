#include "cli/CliSupport.h"
#include "cli/Commands.h"

#include "core/LumoraError.h"
#include "core/ProgramFolder.h"
#include "settings/SetupFile.h"

#include <QFileInfo>

#include <cmath>
#include <type_traits>

namespace lumora::cli {
namespace {

QString jsonString(const QString& text)
{
    QString out;
    out.reserve(text.size() + 2);
    out += u'"';
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'"': out += QStringLiteral("\\\""); break;
        case u'\\': out += QStringLiteral("\\\\"); break;
        case u'\n': out += QStringLiteral("\\n"); break;
        case u'\r': out += QStringLiteral("\\r"); break;
        case u'\t': out += QStringLiteral("\\t"); break;
        default:
            if (c.unicode() < 0x20)
                out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            else
                out += c;
        }
    }
    out += u'"';
    return out;
}

QString jsonValue(const QString& value) { return jsonString(value); }
QString jsonValue(double value)
{
    // JSON has no NaN or infinity; such a stored value shows as null.
    return std::isfinite(value) ? QString::number(value, 'g', QLocale::FloatingPointShortest) : QStringLiteral("null");
}
template <typename Integer>
    requires std::is_integral_v<Integer>
QString jsonValue(Integer value)
{
    return QString::number(value);
}
template <std::size_t N>
QString jsonValue(const std::array<std::int16_t, N>& values)
{
    QStringList items;
    for (const std::int16_t v : values)
        items << QString::number(v);
    return u'[' + items.join(QStringLiteral(", ")) + u']';
}

// The record as JSON, blocks and fields in file order, one field a line, so that a dump reads
// like the file it came from.
QString setupJson(const SetupRecord& record)
{
    QStringList blocks;
    SetupRecord::forEachBlock(record, [&blocks](const char* blockName, const auto& block) {
        QStringList fields;
        std::remove_cvref_t<decltype(block)>::forEachField(block, [&fields](const char* name, const auto& value) {
            fields << QStringLiteral("    ") + jsonString(QString::fromLatin1(name)) + QStringLiteral(": ") + jsonValue(value);
        });
        blocks << QStringLiteral("  ") + jsonString(QString::fromLatin1(blockName)) + QStringLiteral(": {\n") +
                      fields.join(QStringLiteral(",\n")) + QStringLiteral("\n  }");
    });
    return QStringLiteral("{\n") + blocks.join(QStringLiteral(",\n")) + QStringLiteral("\n}");
}

int dump(const QStringList& arguments)
{
    if (arguments.size() > 1)
        throw UsageProblem{QStringLiteral("settings dump takes at most one FILE")};
    const QString path = arguments.isEmpty() ? ProgramFolder::settingsFile() : arguments.first();
    if (!QFileInfo::exists(path)) {
        printError(QStringLiteral("no settings file \"%1\"").arg(path));
        return Failure;
    }
    // Fields the file does not reach show as they start in a running program: zero and empty.
    SetupRecord record;
    SetupReadResult read;
    try {
        read = readSetupFile(path, record);
    } catch (const LumoraError& e) {
        printError(QStringLiteral("cannot read \"%1\": %2").arg(path, e.description()));
        return Failure;
    }
    printOut(setupJson(record));
    if (!read.complete)
        printError(QStringLiteral("\"%1\" ends after %2 of %3 fields; the rest show as zero or empty")
                       .arg(path)
                       .arg(read.fieldsRead)
                       .arg(setupFieldCount()));
    return Success;
}

int init(const QStringList& arguments)
{
    if (arguments.size() != 1 || arguments.first().startsWith(u'-'))
        throw UsageProblem{QStringLiteral("settings init needs exactly one FILE")};
    ReportCounter reports;
    const SetupRecord record = defaultSetup(ProgramFolder::path());
    return subSaveSetup(record, arguments.first()) ? Success : Failure;
}

}  // namespace

int runSettings(const QStringList& arguments)
{
    if (arguments.isEmpty())
        throw UsageProblem{QStringLiteral("settings needs \"dump\" or \"init\"")};
    const QString action = arguments.first();
    if (action == u"dump")
        return dump(arguments.mid(1));
    if (action == u"init")
        return init(arguments.mid(1));
    throw UsageProblem{QStringLiteral("unknown settings action \"%1\"").arg(action)};
}

}  // namespace lumora::cli
