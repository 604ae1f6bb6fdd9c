#pragma once

namespace lumora {

// How files reach the Image Basket. The roads differ in the texts the window shows, in how the
// pages of a multipage TIFF are named, labelled and thumbnailed, and in what a failure ends.
enum class BasketRoad {
    // The add-to-basket button of the folder view. Pages: "<name.ext><N>_<R>.tif", label
    // "<name><N>", thumbnail from the page in memory, a page without thumbnail is not written.
    // A failure ends the whole add.
    AddButton,
    // Files dragged from the folder view onto the basket. Pages: "<name><N>_<R>.tif" (no source
    // extension), label "<name>(<N>)", the page is written first and its thumbnail read back from
    // the file. A failure ends the whole add.
    Drop,
    // Reopening a basket file: pages as for AddButton; missing files are skipped silently and a
    // failure ends only the file it happened in.
    Reopen,
};

}  // namespace lumora
