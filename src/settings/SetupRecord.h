#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <type_traits>

namespace lumora {

// Every preference that survives from one run of Lumora to the next, in one record. The settings
// file is this record written field by field in declaration order (see SetupRecordCodec.h), so
// the order and the exact type of each member below are the file format: never reorder, insert
// or retype a member.
//
// Member types mirror the stored sizes: Byte = std::uint8_t, Integer = std::int16_t,
// Long = std::int32_t, Double = double, String = QString. A stored Boolean is a std::int16_t
// holding the raw 16-bit value (-1 true, 0 false); it is kept raw so that any record, also one
// written by a foreign tool, reads and writes back unchanged. Colours are OLE colours kept as
// their 32-bit pattern (0x8000000E is a system colour, stored as a negative Long).
//
// A record constructed here is all zeros and empty texts: that is what fields keep when a file
// is too short to reach them. setDefaults() gives the values of a first start.
//
// Each block lists its fields through Block::forEachField(block, visit), called as
// visit("name", member) in declaration order; the record's forEachBlock and forEachValue walk
// the blocks and all fields. The codec and the JSON dump walk the record that way, so a field
// exists in the file exactly when it is listed there.
struct SetupRecord {
    using Flag16 = std::int16_t;  // a stored Boolean
    static constexpr Flag16 True = -1;
    static constexpr Flag16 False = 0;

    // Options of the output format dialog.
    struct OutputFormat {
        std::int16_t lastFormat{};  // format box position, 2 = JPG
        std::int16_t depth{};       // depth for formats without a list of their own
        std::int16_t tiffCompression{};
        std::int32_t tifDepth{};
        std::uint8_t gifCompression{};  // selected option index
        std::uint8_t gifTransparent{};
        std::int32_t gifTransparentColor{};
        std::int32_t gifDepth{};
        std::int32_t pngDepth{};
        std::uint8_t pngTransparent{};
        std::int32_t pngTransparentColor{};
        std::int32_t jpgDepth{};
        std::int16_t jpegQuality{};
        std::uint8_t jpgEncoding{};   // selected option index
        std::int32_t dialogWidth{};   // twips
        std::int32_t dialogHeight{};  // twips
        std::uint8_t previewMode{};   // 0 = best fit

        template <typename Self, typename Visit>
        static void forEachField(Self& s, Visit&& visit)
        {
            visit("lastFormat", s.lastFormat);
            visit("depth", s.depth);
            visit("tiffCompression", s.tiffCompression);
            visit("tifDepth", s.tifDepth);
            visit("gifCompression", s.gifCompression);
            visit("gifTransparent", s.gifTransparent);
            visit("gifTransparentColor", s.gifTransparentColor);
            visit("gifDepth", s.gifDepth);
            visit("pngDepth", s.pngDepth);
            visit("pngTransparent", s.pngTransparent);
            visit("pngTransparentColor", s.pngTransparentColor);
            visit("jpgDepth", s.jpgDepth);
            visit("jpegQuality", s.jpegQuality);
            visit("jpgEncoding", s.jpgEncoding);
            visit("dialogWidth", s.dialogWidth);
            visit("dialogHeight", s.dialogHeight);
            visit("previewMode", s.previewMode);
        }
        friend bool operator==(const OutputFormat&, const OutputFormat&) = default;
    };

    // Batch output naming and destination.
    struct Naming {
        std::int16_t jpegQuality{};
        std::uint8_t progressive{};
        std::uint8_t jpegDepth{};  // 0 = 24 bit, 1 = 8 bit grayscale
        QString suffix;
        QString prefix;
        QString separator1;
        QString separator2;
        std::int16_t nameMode{};
        QString genericName;
        QString counterStart;
        std::uint8_t destinationChoice{};
        QString destinationFolder;
        std::uint8_t overwrite{};
        std::int16_t running{};  // -1 when the dialog was confirmed, 0 when cancelled
        std::uint8_t importIptc{};
        std::uint8_t importExif{};
        QString iptcFile;
        QString exifFile;
        std::uint8_t processTaskBasket{};

        template <typename Self, typename Visit>
        static void forEachField(Self& s, Visit&& visit)
        {
            visit("jpegQuality", s.jpegQuality);
            visit("progressive", s.progressive);
            visit("jpegDepth", s.jpegDepth);
            visit("suffix", s.suffix);
            visit("prefix", s.prefix);
            visit("separator1", s.separator1);
            visit("separator2", s.separator2);
            visit("nameMode", s.nameMode);
            visit("genericName", s.genericName);
            visit("counterStart", s.counterStart);
            visit("destinationChoice", s.destinationChoice);
            visit("destinationFolder", s.destinationFolder);
            visit("overwrite", s.overwrite);
            visit("running", s.running);
            visit("importIptc", s.importIptc);
            visit("importExif", s.importExif);
            visit("iptcFile", s.iptcFile);
            visit("exifFile", s.exifFile);
            visit("processTaskBasket", s.processTaskBasket);
        }
        friend bool operator==(const Naming&, const Naming&) = default;
    };

    struct ToolTips {
        std::uint8_t show{};  // 1 = tool-tips on the main window's controls

        template <typename Self, typename Visit>
        static void forEachField(Self& s, Visit&& visit)
        {
            visit("show", s.show);
        }
        friend bool operator==(const ToolTips&, const ToolTips&) = default;
    };

    // Written and carried along; nothing reads it back.
    struct WindowSize {
        std::int32_t width{};   // twips
        std::int32_t height{};  // twips
        std::uint8_t reserved{};

        template <typename Self, typename Visit>
        static void forEachField(Self& s, Visit&& visit)
        {
            visit("width", s.width);
            visit("height", s.height);
            visit("reserved", s.reserved);
        }
        friend bool operator==(const WindowSize&, const WindowSize&) = default;
    };

    // Splitter positions of the main window.
    struct PaneSplits {
        std::int16_t main{};
        std::int16_t right{};
        std::int16_t left{};
        std::int16_t view{};

        template <typename Self, typename Visit>
        static void forEachField(Self& s, Visit&& visit)
        {
            visit("main", s.main);
            visit("right", s.right);
            visit("left", s.left);
            visit("view", s.view);
        }
        friend bool operator==(const PaneSplits&, const PaneSplits&) = default;
    };

    // The folder the tree showed at exit; it opens there at the next start.
    struct LastFolder {
        QString path;

        template <typename Self, typename Visit>
        static void forEachField(Self& s, Visit&& visit)
        {
            visit("path", s.path);
        }
        friend bool operator==(const LastFolder&, const LastFolder&) = default;
    };

    struct PreviewMode {
        std::uint8_t zoom{};       // 0 best fit, 1 actual size
        std::uint8_t selection{};  // 0 original, 1 optimized

        template <typename Self, typename Visit>
        static void forEachField(Self& s, Visit&& visit)
        {
            visit("zoom", s.zoom);
            visit("selection", s.selection);
        }
        friend bool operator==(const PreviewMode&, const PreviewMode&) = default;
    };

    // The folder file list.
    struct FolderView {
        std::int32_t viewMode{};  // 0 thumbnails, 3 details
        std::array<std::int16_t, 8> columnWidths{};
        Flag16 fullRowSelect{};
        std::int16_t thumbnailWidth{};   // pixels
        std::int16_t thumbnailHeight{};  // pixels
        std::uint8_t fileSizeStyle{};    // 0 long, 1 short

        template <typename Self, typename Visit>
        static void forEachField(Self& s, Visit&& visit)
        {
            visit("viewMode", s.viewMode);
            visit("columnWidths", s.columnWidths);
            visit("fullRowSelect", s.fullRowSelect);
            visit("thumbnailWidth", s.thumbnailWidth);
            visit("thumbnailHeight", s.thumbnailHeight);
            visit("fileSizeStyle", s.fileSizeStyle);
        }
        friend bool operator==(const FolderView&, const FolderView&) = default;
    };

    // The Image Basket list. Full row select and the thumbnail size follow the folder list's
    // settings (the Settings dialog writes both blocks).
    struct BasketView {
        std::array<std::int16_t, 5> columnWidths{};
        Flag16 fullRowSelect{};
        std::int16_t thumbnailWidth{};
        std::int16_t thumbnailHeight{};
        std::int32_t reserved1{};
        std::int32_t reserved2{};
        QString rememberedFolder;

        template <typename Self, typename Visit>
        static void forEachField(Self& s, Visit&& visit)
        {
            visit("columnWidths", s.columnWidths);
            visit("fullRowSelect", s.fullRowSelect);
            visit("thumbnailWidth", s.thumbnailWidth);
            visit("thumbnailHeight", s.thumbnailHeight);
            visit("reserved1", s.reserved1);
            visit("reserved2", s.reserved2);
            visit("rememberedFolder", s.rememberedFolder);
        }
        friend bool operator==(const BasketView&, const BasketView&) = default;
    };

    // Column widths of the EXIF and IPTC lists.
    struct MetadataColumns {
        std::int16_t exifName{};
        std::int16_t exifValue{};
        std::int16_t iptcName{};
        std::int16_t iptcValue{};

        template <typename Self, typename Visit>
        static void forEachField(Self& s, Visit&& visit)
        {
            visit("exifName", s.exifName);
            visit("exifValue", s.exifValue);
            visit("iptcName", s.iptcName);
            visit("iptcValue", s.iptcValue);
        }
        friend bool operator==(const MetadataColumns&, const MetadataColumns&) = default;
    };

    // Scanner acquisition.
    struct Twain {
        std::uint8_t destination{};  // 0 Image Basket, 1 disk
        std::uint8_t fileMode{};     // 0 single-page files, 1 one multi-page file
        QString genericName;
        std::int16_t singlePageFormat{};
        std::int16_t multiPageFormat{};
        std::uint8_t overwrite{};
        QString folder;

        template <typename Self, typename Visit>
        static void forEachField(Self& s, Visit&& visit)
        {
            visit("destination", s.destination);
            visit("fileMode", s.fileMode);
            visit("genericName", s.genericName);
            visit("singlePageFormat", s.singlePageFormat);
            visit("multiPageFormat", s.multiPageFormat);
            visit("overwrite", s.overwrite);
            visit("folder", s.folder);
        }
        friend bool operator==(const Twain&, const Twain&) = default;
    };

    // The last-used values of the task option panels. The task panel binds each field to its
    // control; fields whose control is not identified yet keep their position as their name.
    struct TaskDefaults {
        // 1-24: resize, scale, crop colour, canvas margins, rotation, contrast, brightness,
        // blur, sharpen and crop selection options.
        std::uint8_t field1{};
        std::uint8_t field2{};
        std::uint8_t field3{};
        std::int16_t field4{};
        std::int32_t field5{};
        std::int16_t field6{};
        std::int16_t field7{};
        std::int16_t field8{};
        std::int16_t field9{};
        std::int16_t field10{};
        std::uint8_t field11{};
        std::int32_t field12{};
        std::int16_t field13{};
        std::uint8_t field14{};
        std::uint8_t field15{};
        std::uint8_t field16{};
        std::int16_t field17{};
        std::uint8_t field18{};
        std::uint8_t field19{};
        std::uint8_t field20{};
        std::int16_t field21{};
        std::uint8_t field22{};
        std::uint8_t field23{};
        std::uint8_t field24{};
        // 25-38: the Text task. One of 28-30 is the font family.
        QString textText;                 // 25
        std::uint8_t textTransparent{};   // 26
        std::int32_t textBackColor{};     // 27
        std::int16_t field28{};
        std::int16_t field29{};
        std::int16_t field30{};
        std::int16_t textFontSize{};      // 31
        std::int32_t textColor{};         // 32
        std::uint8_t textBold{};          // 33
        std::uint8_t textItalic{};        // 34
        std::uint8_t textUnderline{};     // 35
        std::int16_t textAngle{};         // 36
        std::uint8_t textAlignment{};     // 37
        std::uint8_t textOrientation{};   // 38
        std::uint8_t flip{};              // 39
        // 40-44: the Watermark task.
        std::uint8_t watermarkTransparent{};         // 40
        std::int16_t watermarkMergeStyle{};          // 41
        std::int32_t watermarkTransparentColor{};    // 42
        std::int16_t watermarkTransparency{};        // 43
        QString watermarkFile;                       // 44
        // 45-49: the Frame task.
        std::uint8_t frameStyle{};   // 45
        std::int16_t frameSize{};    // 46
        std::int32_t frameColor{};   // 47
        std::int16_t field48{};
        std::uint8_t field49{};
        // 50-53: the Mask task.
        std::int16_t field50{};
        std::uint8_t field51{};
        std::int16_t field52{};
        std::int16_t field53{};

        template <typename Self, typename Visit>
        static void forEachField(Self& s, Visit&& visit)
        {
            visit("field1", s.field1);
            visit("field2", s.field2);
            visit("field3", s.field3);
            visit("field4", s.field4);
            visit("field5", s.field5);
            visit("field6", s.field6);
            visit("field7", s.field7);
            visit("field8", s.field8);
            visit("field9", s.field9);
            visit("field10", s.field10);
            visit("field11", s.field11);
            visit("field12", s.field12);
            visit("field13", s.field13);
            visit("field14", s.field14);
            visit("field15", s.field15);
            visit("field16", s.field16);
            visit("field17", s.field17);
            visit("field18", s.field18);
            visit("field19", s.field19);
            visit("field20", s.field20);
            visit("field21", s.field21);
            visit("field22", s.field22);
            visit("field23", s.field23);
            visit("field24", s.field24);
            visit("textText", s.textText);
            visit("textTransparent", s.textTransparent);
            visit("textBackColor", s.textBackColor);
            visit("field28", s.field28);
            visit("field29", s.field29);
            visit("field30", s.field30);
            visit("textFontSize", s.textFontSize);
            visit("textColor", s.textColor);
            visit("textBold", s.textBold);
            visit("textItalic", s.textItalic);
            visit("textUnderline", s.textUnderline);
            visit("textAngle", s.textAngle);
            visit("textAlignment", s.textAlignment);
            visit("textOrientation", s.textOrientation);
            visit("flip", s.flip);
            visit("watermarkTransparent", s.watermarkTransparent);
            visit("watermarkMergeStyle", s.watermarkMergeStyle);
            visit("watermarkTransparentColor", s.watermarkTransparentColor);
            visit("watermarkTransparency", s.watermarkTransparency);
            visit("watermarkFile", s.watermarkFile);
            visit("frameStyle", s.frameStyle);
            visit("frameSize", s.frameSize);
            visit("frameColor", s.frameColor);
            visit("field48", s.field48);
            visit("field49", s.field49);
            visit("field50", s.field50);
            visit("field51", s.field51);
            visit("field52", s.field52);
            visit("field53", s.field53);
        }
        friend bool operator==(const TaskDefaults&, const TaskDefaults&) = default;
    };

    struct Screensaver {
        std::uint8_t processTaskBasket{};
        std::int16_t jpegQuality{};

        template <typename Self, typename Visit>
        static void forEachField(Self& s, Visit&& visit)
        {
            visit("processTaskBasket", s.processTaskBasket);
            visit("jpegQuality", s.jpegQuality);
        }
        friend bool operator==(const Screensaver&, const Screensaver&) = default;
    };

    struct SlideShow {
        std::int32_t backColor{};
        std::int16_t interval{};  // seconds
        std::uint8_t processTaskBasket{};
        std::int16_t jpegQuality{};

        template <typename Self, typename Visit>
        static void forEachField(Self& s, Visit&& visit)
        {
            visit("backColor", s.backColor);
            visit("interval", s.interval);
            visit("processTaskBasket", s.processTaskBasket);
            visit("jpegQuality", s.jpegQuality);
        }
        friend bool operator==(const SlideShow&, const SlideShow&) = default;
    };

    // Screen capture.
    struct Capture {
        std::int16_t mode{};  // 0 desktop, 1 foreground, 2 background
        QString genericName;
        QString folder;

        template <typename Self, typename Visit>
        static void forEachField(Self& s, Visit&& visit)
        {
            visit("mode", s.mode);
            visit("genericName", s.genericName);
            visit("folder", s.folder);
        }
        friend bool operator==(const Capture&, const Capture&) = default;
    };

    struct Greeting {
        std::uint8_t processTaskBasket{};
        std::int16_t jpegQuality{};

        template <typename Self, typename Visit>
        static void forEachField(Self& s, Visit&& visit)
        {
            visit("processTaskBasket", s.processTaskBasket);
            visit("jpegQuality", s.jpegQuality);
        }
        friend bool operator==(const Greeting&, const Greeting&) = default;
    };

    // Web album.
    struct Album {
        std::int16_t thumbnailWidth{};
        std::int16_t thumbnailHeight{};
        std::uint8_t resample{};
        std::int16_t borderSize{};
        std::int32_t borderColor{};
        std::int16_t picturesPerRow{};
        std::uint8_t showFileName{};
        std::uint8_t showImageResolution{};
        std::uint8_t pageStyle{};
        std::int16_t pageImage{};
        std::int32_t albumBackground{};
        std::int16_t containerBackgroundChoice{};
        std::int16_t containerImageChoice{};
        std::int32_t containerBackground{};
        std::int16_t tableBorderSize{};
        std::int32_t cellBorderColor{};
        QString fontName;
        std::int16_t fontSize{};  // list index
        std::int32_t fontColor{};
        QString title;
        QString folder;
        std::int16_t jpegQuality{};
        std::uint8_t progressive{};
        std::uint8_t processTaskBasket{};
        std::uint8_t openWhenDone{};
        std::int32_t metadataFontColor{};

        template <typename Self, typename Visit>
        static void forEachField(Self& s, Visit&& visit)
        {
            visit("thumbnailWidth", s.thumbnailWidth);
            visit("thumbnailHeight", s.thumbnailHeight);
            visit("resample", s.resample);
            visit("borderSize", s.borderSize);
            visit("borderColor", s.borderColor);
            visit("picturesPerRow", s.picturesPerRow);
            visit("showFileName", s.showFileName);
            visit("showImageResolution", s.showImageResolution);
            visit("pageStyle", s.pageStyle);
            visit("pageImage", s.pageImage);
            visit("albumBackground", s.albumBackground);
            visit("containerBackgroundChoice", s.containerBackgroundChoice);
            visit("containerImageChoice", s.containerImageChoice);
            visit("containerBackground", s.containerBackground);
            visit("tableBorderSize", s.tableBorderSize);
            visit("cellBorderColor", s.cellBorderColor);
            visit("fontName", s.fontName);
            visit("fontSize", s.fontSize);
            visit("fontColor", s.fontColor);
            visit("title", s.title);
            visit("folder", s.folder);
            visit("jpegQuality", s.jpegQuality);
            visit("progressive", s.progressive);
            visit("processTaskBasket", s.processTaskBasket);
            visit("openWhenDone", s.openWhenDone);
            visit("metadataFontColor", s.metadataFontColor);
        }
        friend bool operator==(const Album&, const Album&) = default;
    };

    // The engine's ten print options, handed to it before printing and taken back afterwards.
    struct Print {
        std::int32_t optionA{};
        std::int32_t optionB{};
        std::uint8_t optionC{};
        double optionD{};
        double optionE{};
        std::int32_t optionF{};
        double optionG{};
        std::uint8_t optionH{};
        Flag16 flagI{};
        Flag16 flagJ{};

        template <typename Self, typename Visit>
        static void forEachField(Self& s, Visit&& visit)
        {
            visit("optionA", s.optionA);
            visit("optionB", s.optionB);
            visit("optionC", s.optionC);
            visit("optionD", s.optionD);
            visit("optionE", s.optionE);
            visit("optionF", s.optionF);
            visit("optionG", s.optionG);
            visit("optionH", s.optionH);
            visit("flagI", s.flagI);
            visit("flagJ", s.flagJ);
        }
        friend bool operator==(const Print&, const Print&) = default;
    };

    OutputFormat outputFormat;
    Naming naming;
    ToolTips toolTips;
    WindowSize windowSize;
    PaneSplits paneSplits;
    LastFolder lastFolder;
    PreviewMode previewMode;
    FolderView folderView;
    BasketView basketView;
    MetadataColumns metadataColumns;
    Twain twain;
    TaskDefaults taskDefaults;
    Screensaver screensaver;
    SlideShow slideShow;
    Capture capture;
    Greeting greeting;
    Album album;
    Print print;

    // visit("blockName", block) for the 18 blocks in file order.
    template <typename Self, typename Visit>
    static void forEachBlock(Self& s, Visit&& visit)
    {
        visit("outputFormat", s.outputFormat);
        visit("naming", s.naming);
        visit("toolTips", s.toolTips);
        visit("windowSize", s.windowSize);
        visit("paneSplits", s.paneSplits);
        visit("lastFolder", s.lastFolder);
        visit("previewMode", s.previewMode);
        visit("folderView", s.folderView);
        visit("basketView", s.basketView);
        visit("metadataColumns", s.metadataColumns);
        visit("twain", s.twain);
        visit("taskDefaults", s.taskDefaults);
        visit("screensaver", s.screensaver);
        visit("slideShow", s.slideShow);
        visit("capture", s.capture);
        visit("greeting", s.greeting);
        visit("album", s.album);
        visit("print", s.print);
    }

    // visit(member) for every field of every block in file order, without names; a fixed-size
    // array of Integers arrives as one std::array.
    template <typename Self, typename Visit>
    static void forEachValue(Self& s, Visit&& visit)
    {
        forEachBlock(s, [&visit](const char*, auto& block) {
            std::remove_cvref_t<decltype(block)>::forEachField(block, [&visit](const char*, auto& field) {
                visit(field);
            });
        });
    }

    friend bool operator==(const SetupRecord&, const SetupRecord&) = default;
};

// The values of a first start. The program folder is written without a trailing slash; the
// scanner folder is the program folder + "/Acquired/" and the capture folder the program folder
// + "/Captured". The window size is 640 x 480 pixels at 15 twips per pixel.
void setDefaults(SetupRecord& record, const QString& programFolder);
SetupRecord defaultSetup(const QString& programFolder);

}  // namespace lumora
