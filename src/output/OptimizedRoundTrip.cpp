#include "output/OptimizedRoundTrip.h"

#include "core/LumoraError.h"
#include "engine/ImageBox.h"

#include <QDir>
#include <QFile>

namespace lumora {

OptimizedResult makeOptimized(const Picture& original, const OutputFormatOptions::Choice& choice,
                              const QString& tempFolder, const std::stop_token& stop)
{
    namespace OFO = OutputFormatOptions;
    const OFO::Format& format = OFO::format(choice.format);
    OptimizedResult result;
    try {
        ImageBox engine(ImageBox::Mode::View);
        engine.SetBitmapHandle(original);
        OFO::apply(choice, engine);
        if (stop.stop_requested())
            return {};
        QDir().mkpath(tempFolder);
        const QString temp = QDir(tempFolder).filePath(QStringLiteral("temp.") + QLatin1String(format.extension));
        engine.SaveToFile(temp);
        QFile file(temp);
        if (!file.open(QIODevice::ReadOnly))
            throw LumoraError(0, QStringLiteral("cannot read \"%1\" back: %2").arg(temp, file.errorString()));
        result.file = file.readAll();
        result.sizeText = OFO::sizeText(result.file.size());
        if (stop.stop_requested())
            return {};
        if (format.code == 5 || format.code == 8)
            engine.LoadFromMemory(0, engine.SaveToMemory(0));
        else
            engine.LoadFromFile(temp);
        result.picture = engine.Picture();
    } catch (const LumoraError& e) {
        result = {};
        result.failure = e.description();
    }
    return result;
}

}  // namespace lumora
