#include "acquire/ScannedPage.h"

namespace lumora {

Picture ScannedPage::toPicture() const
{
    if (bands == 3)
        return Picture(width, height, 3, samples);
    QByteArray rgb(samples.size() * 3, Qt::Uninitialized);
    char* out = rgb.data();
    for (const char grey : samples) {
        *out++ = grey;
        *out++ = grey;
        *out++ = grey;
    }
    return Picture(width, height, 3, rgb);
}

}  // namespace lumora
