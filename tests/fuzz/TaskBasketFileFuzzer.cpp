// Task basket files (.tbf) of any content must open or fail cleanly.

#include "FuzzSupport.h"

#include "tasks/TaskBasket.h"
#include "tasks/modSaveOpenImageList.h"

LUMORA_FUZZ_FILE("tbf")
{
    lumora::TaskBasket basket;
    lumora::modSaveOpenImageList::fncOpenTaskBasket(path, basket, false);
}
