// Task basket files (.tbf) of any content must open or fail cleanly.

#include "FuzzSupport.h"

#include "tasks/TaskBasket.h"
#include "tasks/modSaveOpenImageList.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString path = lumora::fuzz::writeInput(data, size, "tbf");
    lumora::TaskBasket basket;
    lumora::modSaveOpenImageList::fncOpenTaskBasket(path, basket, false);
    return 0;
}
