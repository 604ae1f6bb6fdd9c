#pragma once

#include <QString>

namespace lumora {

// Lumora's options that the settings record has no field for. They live in "lumora.ini" in the
// program folder, next to the record, so the record keeps its byte layout and older copies of
// Lumora keep reading it. Every read falls back to the default when the file, the key or a
// sensible value is missing; writes go straight to the file.
class LumoraOptions {
public:
    // The options file of the program folder.
    LumoraOptions();
    // The options file of another folder (tests, a portable copy).
    explicit LumoraOptions(const QString& folder);

    QString filePath() const { return filePath_; }

    // Turn photos upright by their EXIF orientation as they are read. On by default.
    bool autoOrient() const;
    void setAutoOrient(bool on);

    // The batch conversion's output format: "jpg" (the default), "webp", "avif", "png" or "tif".
    QString batchFormat() const;
    void setBatchFormat(const QString& format);

    // The quality of the batch's lossy formats other than JPEG (1..100, default 80).
    int batchQuality() const;
    void setBatchQuality(int quality);

    static constexpr const char* FileName = "lumora.ini";

private:
    QString filePath_;
};

}  // namespace lumora
