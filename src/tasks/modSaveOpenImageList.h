#pragma once

#include <QString>

namespace lumora {

class TaskBasket;

// Saving and opening Lumora's list files. A task basket file (".tbf") keeps a Task Basket so the
// same editing recipe can be applied again later: one line per task in basket order, each of 19
// quoted fields (kind number, key, P0..P16) as clsFile writes them.
//
// Both functions report every failure through ReportError and return false; the caller only has
// to tell the user that the file was not saved or opened.
namespace modSaveOpenImageList {

// The file name a basket is saved under: the path with ".tbf" appended unless it already ends in
// ".tbf" in any letter case.
QString taskBasketFileName(const QString& path);

// Writes the basket to taskBasketFileName(path). False at once, writing nothing, for an empty
// basket. A failed save leaves any existing file as it was.
bool fncSaveTaskBasket(const QString& path, const TaskBasket& basket);

// Replaces the basket's tasks by those of the file and sets its generic-icon flag. On failure the
// tasks read before the error stay in the basket. An empty file is a valid, empty basket.
bool fncOpenTaskBasket(const QString& path, TaskBasket& basket, bool genericIcons);

}  // namespace modSaveOpenImageList
}  // namespace lumora
