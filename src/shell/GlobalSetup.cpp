#include "shell/GlobalSetup.h"

namespace lumora {

SetupRecord& globalSetup()
{
    static SetupRecord record;
    return record;
}

}  // namespace lumora
