#pragma once

#include <QString>

namespace lumora {

// The loader's conversion file: a BMP in the user's temporary folder through which the DevIL
// road passes its picture. Each process and thread has a name of its own, so that loads running
// side by side never share it, and the file is deleted when this object goes, whatever happened
// (errors of the deletion are ignored, also when no file was ever made).
class TemporaryPicturePath {
public:
    TemporaryPicturePath();
    ~TemporaryPicturePath();
    TemporaryPicturePath(const TemporaryPicturePath&) = delete;
    TemporaryPicturePath& operator=(const TemporaryPicturePath&) = delete;

    const QString& path() const { return path_; }

    // The name this thread's conversions use, made or not.
    static QString forThisThread();

    // Deletes the conversion files of processes that are gone (a decoder helper killed at its
    // limits leaves its file behind; they can be hundreds of megabytes). The first conversion of
    // each process does this.
    static void removeOrphans();

private:
    QString path_;
};

}  // namespace lumora
