#pragma once

#include <QStringList>

#include <functional>

namespace lumora::cli {

// The five things the exif and iptc commands do, each given the arguments after its name.
struct MetadataActions {
    using Action = std::function<int(const QStringList&)>;
    Action set;
    Action remove;
    Action clear;
    Action exportTo;
    Action importFrom;
};

// Runs the action the first argument names ("set", "delete", "clear", "export", "import") for
// the command `command` ("exif", "iptc"); a missing or unknown name is a UsageProblem.
int runMetadataAction(const QString& command, const QStringList& arguments, const MetadataActions& actions);

}  // namespace lumora::cli
