// lumora-batch: Lumora's editing and conversion without a window.

#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/UprightFlag.h"

#include "acquire/modCapture.h"

#include "core/AppInfo.h"
#include "core/LibraryVersions.h"
#include "engine/VipsRuntime.h"
#include "imageio/DecoderProcess.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <algorithm>
#include <exception>
#include <memory>
#include <string_view>

#include <malloc.h>

namespace {

using namespace lumora::cli;

const char* const kHelp = R"help(Usage: lumora-batch COMMAND [OPTIONS] ARGUMENTS

Lumora's photo editing without the window.

Commands:
  apply --tasks FILE.tbf [--quality N] [--progressive] INPUT OUTPUT
        Load INPUT, apply every task of the task basket file in order and write
        OUTPUT; its extension picks the format (jpg, png, tif, bmp, gif, pcx, psd,
        wbmp). JPEG quality defaults to 80. A task that fails is reported on
        standard error and ends the task run; OUTPUT is still written with the
        photo as it stood, and the exit status is 1.
  tasks FILE.tbf
        List the tasks of a task basket file, one per line, tab-separated:
        position, kind number, kind name, key and the 17 parameter slots.
  settings dump [FILE]
        Print a settings file as JSON: its blocks and fields in file order, the
        values as stored. FILE defaults to the settings file of the program
        folder ($LUMORA_HOME when set).
  settings init FILE
        Write a settings file holding the defaults of a first start.
  header FILE
        Read the size, bits per pixel, resolution and grey flag of a GIF, BMP,
        little-endian TIFF, JPEG or PNG file from its header alone, one
        "key: value" line each: format, width, height, bits-per-pixel, dpi, grey
        and result (whether the file was recognised). Sizes and resolutions are
        the header's full values, also above 32767. A JPEG without a baseline
        frame (a progressive one) reads 0 x 0; TIFF and JPEG always read 24 bits
        per pixel. Exit status 1 when the file is not recognised.
  thumb [--mode 0|1|2] [--size WxH] INPUT OUTPUT
        Make the thumbnail the folder view and the image basket show for INPUT
        and write it to OUTPUT (its extension picks the format, as for apply).
        Mode 2 (the default): exactly WxH, the photo centred on white; mode 1:
        shrunk to fit inside WxH, never enlarged; mode 0: the photo's own size.
        The size defaults to 40x40. Exit status 1 when INPUT cannot be read.
  thumb [--mode M] [--size WxH] [--jobs N] --out-dir DIR INPUT...
        The same for many files, N at a time (default: the number of cores),
        each written to DIR/NAME.png, NAME being the input's file name without
        its last extension. A file that cannot be read gets one line on standard
        error, the others are still written, and the exit status is 1.
  convert [OPTIONS] [--basket FILE.ibf|FILE.ibd] [PHOTO...]
        Convert every photo, in order (the basket file's first), to JPEG as the
        batch output of the window does: read it (a multipage TIFF gives its first
        page), apply the task basket of --tasks FILE.tbf if given, name it and
        write it next to its source or into --dest DIR. A photo that cannot be read
        is skipped (one line says why), and so is one whose output exists unless
        --overwrite is given. An output never replaces a photo of the run (its own
        source, or another photo given) unless --in-place is given: without it
        such a run does not start (exit status 2, nothing written).
        Naming: --naming original (the default; NAME.jpg), hybrid (PREFIX SEP1
        NAME SEP2 SUFFIX .jpg, with --prefix, --sep1, --sep2 and --suffix each a
        list word such as "[Resulting resolution]", "[EXIF Date]", "[WhiteSpace]",
        "[No Separator]", "[No Prefix]", or text of your own) or generic (NAME N.jpg
        with --generic-name and --counter "[Starting 1]", "[Starting 1001]" or a
        whole number; N follows the basket position). Output: --quality N (1-100,
        default 80), --progressive, --grey (8-bit greyscale). --import-exif
        FILE.xiff and --import-iptc FILE.ffo put that metadata on every output;
        every output's EXIF Software reads "Lumora". --settings FILE takes the
        defaults from a settings file (the naming block of "settings dump");
        options given here win. Defaults are those of a first start: overwrite
        on, unless --no-overwrite. --jobs N photos at once (default: the number
        of cores); the files are the same as one at a time. When the first task
        that changes the size scales the photo down, a JPEG is decoded already
        reduced (about one level per pixel from a full decode, several times
        faster); --full-decode decodes every photo whole. On a terminal a
        progress bar is drawn on standard error; at the end standard output gets
        "written N, skipped M, failed K" (and ", warnings W" when a task or an
        import reported a problem). An error (a photo that cannot be decoded
        whole or written) ends the run, unless --keep-going: photos in progress
        finish, no new one starts, and the exit status is 1, as it is when a
        task or an import reported a failure. Ctrl-C stops after the photos in
        progress.
  info [--json] FILE
        Print the metadata of FILE as Lumora's metadata pane shows it: under
        "EXIF" (tif, tiff, jpg, jpeg, jpe) one "Name: value" line per attribute,
        with display names and readable values ("Exposure Time: 1/250 s"), then
        under "IPTC" (those and psd) the 52 IPTC fields, empty ones included.
        --json prints {"file", "exif": [{"name", "text", "value", "editable"}],
        "iptc": [{"label", "value"}]} instead. A value that cannot be interpreted
        is shown raw and reported on standard error. Exit status 1 when FILE
        cannot be read.
  exif set NAME VALUE FILE...
  exif delete NAME FILE...
  exif clear FILE...
  exif export FILE OUT.xiff
  exif import IN.xiff FILE...
        Edit the EXIF of JPEG, TIFF and PSD files as the metadata pane does,
        each file written once and whole. set: one of the editable attributes
        Make, Model, DateTime, ImageDescription, Artist, Copyright,
        DateTimeOriginal, DateTimeDigitized, UserComment, PixelXDimension,
        PixelYDimension; dates as "m/d/yyyy h:mm:ss AM/PM" or
        "yyyy:mm:dd hh:mm:ss". delete: any attribute by its name as
        "info --json" gives it. clear: all of the EXIF. After a change Software
        reads "Lumora". export: the editable attributes of FILE as the pane shows
        them, into an EXIF exchange file; import: its records onto every FILE
        (attributes that cannot be set are passed over).
  iptc set LABEL VALUE FILE...
  iptc delete LABEL FILE...
  iptc clear FILE...
  iptc export FILE OUT.ffo
  iptc import IN.ffo FILE...
        The same for the IPTC fields, named by the labels "info" lists
        ("Caption", "By (Author)", "City", ...) or "Time Created",
        "Time Released". Keywords and Supplemental Categories take a
        comma-separated list that replaces the list ("" empties it); dates take
        the forms above, or a date alone ("m/d/yyyy", "yyyy:mm:dd",
        "yyyy-mm-dd") where only the date counts.
        export writes the IPTC File Info file of FILE; import replaces every
        FILE's IPTC by it.
        A name, label or value that cannot be set stops the command before any
        file is touched (exit status 1). A FILE that is not a JPEG, TIFF or PSD
        file, cannot be read or written, or fails, gets one line on standard
        error and is left as it was; the others are still written, and the exit
        status is 1.
  save --format bmp|gif|jpg|pcx|png|wbmp|psd|tif|pdf [--depth CODE]
       [--tiff-compression 0|1|2] [--quality N] [--progressive]
       [--gif-compression none|lzw] [--transparent COLOR] INPUT OUTPUT
        Save INPUT in one of the nine formats of the window's "Interactive save
        utility" and print its size as the window shows it ("N KB"). OUTPUT is
        written as given, in the chosen format whatever its extension, whole or
        not at all. --depth takes a colour depth code the format offers: 0 "24
        bit (true color)", 1 "256 Colors", 2 "256 Grayscale", 3 "16 Colors", 4
        "16 Grayscale", 5 "Monochrome", 6 "Monochrome B/W" (GIF 1-6, JPG 0 or 2,
        PNG 0 or 1; WBMP is always black and white, PSD always 24 bit). TIFF
        compression: 0 none, 1 PackBits, 2 CCITT Group 4 fax. JPEG quality 1-100.
        --transparent (GIF, PNG): the pixels of COLOR (#RRGGBB or a colour name)
        become transparent. What is not given is what the window offers on a
        first start: JPEG quality 80, standard JPEG, LZW GIF, no compression,
        the first depth of the format. Exit status 1 when INPUT cannot be read.
  print [--printer NAME] [--settings FILE] [--to-pdf OUT.pdf] PHOTO...
        Print every PHOTO, one job each, to the CUPS printer NAME (default: the
        default printer), laid out by the Print block of the settings file (the
        defaults of a first start when none): paper, orientation, placement,
        margins, copies, size (fit the page, actual size at the photo's
        resolution, or a scale of it), the file name under the photo, grey.
        --to-pdf writes the pages into one PDF instead, one page per photo, as
        the printer would get them. A photo that cannot be read or a job that
        CUPS refuses gets one line on standard error, the others are still
        printed, and the exit status is 1.
  album --dest DIR [--title T] [--settings FILE] [--tasks FILE.tbf]
        [--metadata ENTRY]... [--description PHOTO=TEXT]...
        [--basket FILE.ibf|FILE.ibd] [PHOTO...]
        Make a web album of the photos (the basket file's first) as the window's
        "Generate web album" does, and print the path of its index page. DIR gets
        index.htm and one page TITLE_NAME.html per photo, NAME being the photo's
        file name without extension; DIR/MyImages_TITLE gets each photo as
        NAME.jpg, its thumbnail NAME_thumb.jpg and the GIF decorations. The look
        (colours, fonts, borders, thumbnail size and thumbnails per row, JPEG
        quality) comes from the Album block of the settings file (the defaults of
        a first start when none); --title replaces its project title ("My Album")
        and --dest its folder. --tasks applies that task basket to each photo when
        the block's "process task basket" flag is on (it is by default).
        --metadata "EXIF - Make", "IPTC - Caption" and the other entries of the
        window's metadata chooser print that value on every page, in the order
        given. --description PHOTO=TEXT (PHOTO as given, or its file name) prints
        TEXT on the photo's page; an .ibd basket brings descriptions too. A photo
        that cannot be read gets one line on standard error and still has its
        cell and page; the exit status is then 1. --art DIR reads the GIF
        decorations from DIR instead of those built in. Ctrl-C stops after the
        page in progress; the index then lists the pages written.

  capture [--region X,Y,W,H] OUTPUT
        Grab the screen of the display ($DISPLAY; in a Wayland session the
        desktop's screenshot service, which may ask first) into OUTPUT, whose
        extension picks the format (tif, png, jpg, bmp), as the window's
        "Capture screen..." does. --region grabs only that area (screen pixels,
        clipped to the screen). Exit status 1, with one line on standard error,
        when there is no display or the screen cannot be grabbed.

  show --kind slideshow|greeting|screensaver|single-screensaver --out FILE
       [--interval N] [--background COLOR] [--quality N] [--settings FILE]
       [--tasks FILE.tbf] [--overwrite] [--basket FILE.ibf|FILE.ibd] [PHOTO...]
        Package the photos (the basket file's first) with a show player into one
        executable FILE (mode 755), as the window's slide show, greeting and
        screensaver commands do; FILE is used as given (the window offers ".run"
        for slide shows and greetings, ".scr" for screensavers). A greeting and a
        single-image screensaver take exactly one photo; a greeting's photo is at
        most 800 x 600 pixels. Quality and "process task basket" come from the
        settings file's SlideShow, Greeting or Screensaver block (the defaults of a
        first start when none), and for a slide show the background colour and the
        interval (1 to 9 seconds) too; the options given here win. --tasks applies
        that task basket to each photo when the flag is on. An existing FILE is
        replaced only with --overwrite. A photo that is missing or cannot be read
        is left out. Ctrl-C stops a basket package after the photo in progress;
        FILE then holds the photos done and the exit status is 1.
  scan --dest DIR [--device NAME] [--source flatbed|adf]
       [--mode color|gray|lineart] [--resolution DPI] [--pages N] [--name NAME]
       [--format bmp|jpg|tif|pdf|psd|gif | --multipage tif|pdf]
  scan --list
        Scan through SANE as the window's "Acquire" does and print the path of
        each file written. --format writes one file per page, NAME1.EXT,
        NAME2.EXT ... (NAME "Twain" and BMP unless given); --multipage writes all
        pages into one NAME.tif or NAME.pdf. The flatbed gives one page; the
        feeder (adf) gives pages until it is empty or N are in. Line-art pages
        are black and white (CCITT Group 4 in a multi-page TIFF). Existing files
        of those names are replaced. --list prints the scanners SANE finds, one a
        line: its name, a tab, vendor, model and kind. Ctrl-C stops after the
        page in progress.

Options:
  -h, --help     Show this help and exit.
  -V, --version  Show the version, the decoder helper's path and the versions of
                 the libraries in use, and exit.
  --auto-orient, --no-auto-orient
                 apply, thumb, convert, save, print, album and show turn every
                 photo upright by its EXIF orientation as it is read, and write
                 Orientation 1 into outputs that carry the EXIF (the default);
                 --no-auto-orient reads photos as stored.

Exit status: 0 success, 1 failure (one line on standard error), 2 wrong usage.
)help";

int dispatch(const QStringList& arguments)
{
    if (arguments.isEmpty())
        throw UsageProblem{QStringLiteral("no command given")};
    const QString command = arguments.first();
    const QStringList rest = takeUprightFlag(command, arguments.mid(1));
    if (command == u"-h" || command == u"--help" || command == u"help") {
        printOut(QString::fromUtf8(kHelp).trimmed());
        return Success;
    }
    if (command == u"-V" || command == u"--version") {
        printOut(QStringLiteral("lumora-batch %1").arg(QString::fromLatin1(lumora::app::Version)));
        printOut(QStringLiteral("decoder helper: %1").arg(lumora::DecoderProcess::helperPath()));
        for (const lumora::LibraryVersion& library : lumora::libraryVersions())
            printOut(QStringLiteral("%1 %2").arg(library.name, library.version));
        return Success;
    }
    // exif and iptc take free text as values, which may read "-h": for them only the place of
    // the action asks for help.
    const auto isHelp = [](const QString& argument) { return argument == u"-h" || argument == u"--help"; };
    const bool takesText = command == u"exif" || command == u"iptc";
    if (takesText ? isHelp(rest.value(0)) : std::any_of(rest.begin(), rest.end(), isHelp)) {
        printOut(QString::fromUtf8(kHelp).trimmed());
        return Success;
    }
    if (command == u"apply")
        return runApply(rest);
    if (command == u"tasks")
        return runTasks(rest);
    if (command == u"settings")
        return runSettings(rest);
    if (command == u"header")
        return runHeader(rest);
    if (command == u"thumb")
        return runThumb(rest);
    if (command == u"convert")
        return runConvert(rest);
    if (command == u"info")
        return runInfo(rest);
    if (command == u"exif")
        return runExif(rest);
    if (command == u"iptc")
        return runIptc(rest);
    if (command == u"save")
        return runSave(rest);
    if (command == u"print")
        return runPrint(rest);
    if (command == u"album")
        return runAlbum(rest);
    if (command == u"show")
        return runShow(rest);
    if (command == u"capture")
        return runCapture(rest);
    if (command == u"scan")
        return runScan(rest);
    throw UsageProblem{QStringLiteral("unknown command \"%1\"").arg(command)};
}

void errorsOnly(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        printError(text);
}

}  // namespace

int main(int argc, char** argv)
{
    // Every libvips worker thread would otherwise get a malloc arena of its own; with photos
    // decoded on several threads at once the arenas fragment and a long batch keeps growing
    // (205 MB after 80 photos, against 112 MB with two arenas, at the same speed).
    mallopt(M_ARENA_MAX, 2);
    // Printed pages carry text, and Qt draws text only under a GUI application: print gets one
    // on the windowless platform; the other commands keep the plain core application.
    const bool printing = argc > 1 && std::string_view(argv[1]) == "print";
    if (printing)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // capture grabs the display, when there is one to open.
    QString noDisplay;
    const QString capturePlatform = argc > 1 && std::string_view(argv[1]) == "capture"
        ? lumora::modCapture::DisplayPlatform(noDisplay)
        : QString();
    if (!capturePlatform.isEmpty())
        qputenv("QT_QPA_PLATFORM", capturePlatform.toUtf8());
    const bool gui = printing || !capturePlatform.isEmpty();
    // Without a desktop session the platform's start-up warns about a missing runtime folder;
    // a script wants one line per failure and nothing else, so start-up speaks only of errors.
    const QtMessageHandler previousHandler = gui ? qInstallMessageHandler(errorsOnly) : nullptr;
    const std::unique_ptr<QCoreApplication> application =
        gui ? std::make_unique<QGuiApplication>(argc, argv) : std::make_unique<QCoreApplication>(argc, argv);
    if (gui)
        qInstallMessageHandler(previousHandler);
    QCoreApplication& app = *application;
    QCoreApplication::setApplicationName(QStringLiteral("lumora-batch"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(lumora::app::Version));
    try {
        lumora::ensureVipsStarted();
        return dispatch(app.arguments().mid(1));
    } catch (const UsageProblem& problem) {
        printError(problem.message);
        printError(QStringLiteral("try \"lumora-batch --help\""));
        return UsageError;
    } catch (const std::exception& e) {
        printError(QString::fromLocal8Bit(e.what()));
        return Failure;
    }
}
