#include "WmfFonts.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <string>

namespace lumora::decoder {
namespace {

struct StandardFont {
    const char* postScriptName;
    const char* pattern;  // fontconfig's name for the nearest system face
};

constexpr StandardFont kStandardFonts[] = {
    {"Times-Roman", "serif"},
    {"Times-Italic", "serif:italic"},
    {"Times-Bold", "serif:bold"},
    {"Times-BoldItalic", "serif:bold:italic"},
    {"Helvetica", "sans-serif"},
    {"Helvetica-Oblique", "sans-serif:oblique"},
    {"Helvetica-Bold", "sans-serif:bold"},
    {"Helvetica-BoldOblique", "sans-serif:bold:oblique"},
    {"Courier", "monospace"},
    {"Courier-Oblique", "monospace:oblique"},
    {"Courier-Bold", "monospace:bold"},
    {"Courier-BoldOblique", "monospace:bold:oblique"},
    {"Symbol", "sans-serif"},
};

std::string matchFile(FcConfig* config, const char* name)
{
    std::string file;
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(name));
    if (!pattern)
        return file;
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(config, pattern, &result);
    FcChar8* path = nullptr;
    if (match && FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch && path)
        file = reinterpret_cast<const char*>(path);
    if (match)
        FcPatternDestroy(match);
    FcPatternDestroy(pattern);
    return file;
}

}  // namespace

WmfFonts::WmfFonts()
{
    FcConfig* config = FcInitLoadConfigAndFonts();
    if (!config)
        return;
    for (const StandardFont& font : kStandardFonts) {
        const std::string path = matchFile(config, font.pattern);
        const std::size_t slash = path.rfind('/');
        if (slash == std::string::npos || slash == 0)
            continue;
        names_.emplace_back(font.postScriptName);
        files_.push_back(path.substr(slash + 1));
        const std::string directory = path.substr(0, slash);
        if (std::find(directories_.begin(), directories_.end(), directory) == directories_.end())
            directories_.push_back(directory);
    }
    FcConfigDestroy(config);

    for (std::string& directory : directories_)
        directoryList_.push_back(directory.data());
    directoryList_.push_back(nullptr);
    for (std::size_t i = 0; i < names_.size(); ++i)
        mappingList_.push_back(wmfMapping{names_[i].data(), files_[i].data(), FT_ENCODING_NONE});
    mappingList_.push_back(wmfMapping{nullptr, nullptr, FT_ENCODING_NONE});
}

}  // namespace lumora::decoder
