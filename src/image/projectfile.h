#pragma once
// Project files (".zf1", and ".zaf" of the earlier model): exactly 7048 bytes.
//
//   bytes 0..4999     100 head lines, line n at byte 50 n: 48 characters, CR, LF
//   bytes 5000..7047  the 1024 image words, word k at byte 5000 + 2 k, high byte first
//
// Head lines: 0 identification, 1 work number, 2-4 blank, 5 project name, 6 firmware
// text, 7 path, 8 program version, 9 test date line, 10 "Memo :", 11-99 the memo in
// pieces of 48 characters. Texts are Windows-1252 bytes; every line is cut to 48
// characters and padded with blanks.
//
// The codec (buildProjectFile, parseProjectFile) is pure: it touches no global state.
// The file functions (saveFileBytes, readProjectFile) do the file system part.
// The G functions at the end are the steps of Save and Open that change the shared
// state, so that the window only calls them in the right place.

#include "globals.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <functional>

constexpr int ProjectFileSize = 7048;
constexpr int HeadLineCount = 100;
constexpr int HeadLineLength = 48; // characters of a line before CR LF
constexpr int HeadLineStride = 50; // bytes of a line with CR LF
constexpr int ImageBlockOffset = 5000;
constexpr int HeadValueOffset = 15; // a value follows its 15-character label
constexpr int MemoFirstLine = 11;
constexpr int MemoMaxLength = (HeadLineCount - MemoFirstLine) * HeadLineLength; // 4272

extern const QByteArray FileIdV25;      // "Config file KRT-6 from V2.5"
extern const QByteArray FileIdV25Other; // "Config file ZA7700F from V2.5"
extern const QByteArray FileIdOld;      // "Configuration file KRT-6"

// The texts of the head as the window holds them.
struct ProjectHead
{
    QString workNumber;     // line 1, ed_mFabrNr
    QString projectName;    // line 5, ed_mprjname
    QString firmwareText;   // line 6, ed_versnr ("Version " + number)
    QString path;           // line 7, ed_mpfad (full path, upper case)
    QString programVersion; // line 8, G.ProgramVersion ("2.60")
    QString testDateLine;   // line 9 when no new test date is asked for (G.TestDateLine)
    // Memo text as one string. The memo control's lines are joined by CR LF by the
    // caller; the text is stored as given, cut into 48-character pieces. Beyond
    // MemoMaxLength (4272) characters nothing is stored.
    QString memo;
};

// The clock of the test date line; tests install a fixed one. An empty function
// restores the system clock.
void setProjectClock(std::function<QDateTime()> clock);

// "Prüfungsdatum: " + the current date in the system's short date format + " " + the
// current time in the system's long time format without a time zone (QLocale::system()).
QString currentTestDateLine();

// The whole file: NewTestDate true writes currentTestDateLine() into line 9 (Save as,
// New project), false writes head.testDateLine (Save). Always ProjectFileSize bytes.
QByteArray buildProjectFile(const ProjectHead &head, bool NewTestDate, const TParamImage &image);

enum class FileIdKind {
    FileIdV25,      // current format
    FileIdV25Other, // current format, written by the earlier model's program
    FileIdOld,      // old format: data must be confirmed before a write
    Rejected,       // none of the three: not a project file
};

struct ProjectFileContents
{
    FileIdKind id = FileIdKind::Rejected;
    // The rest is filled only when the file is accepted (id is not Rejected).
    QString workNumber;   // line 1 from offset 15, trailing blanks removed
    QString projectName;  // line 5 likewise
    QString firmwareText; // line 6 likewise: goes to the version check
    QString testDateLine; // line 9 whole, trailing blanks removed
    // Lines 11-99 joined as they stand, then without the blanks at the end of the whole
    // text: the memo as it was written, blanks at the end of a piece included.
    QString memo;
    TParamImage image{};
};

// True when bytes have the layout of a project file: exactly ProjectFileSize bytes,
// and every head line ends in CR LF at bytes 50 n + 48 and 50 n + 49. A file whose
// line ends were converted, or that was cut or padded, fails; its image would be
// shifted.
bool hasProjectFileLayout(const QByteArray &bytes);

// A file without the layout above gives Rejected, as does an unknown identification
// line.
ProjectFileContents parseProjectFile(const QByteArray &bytes);

// Outcome of a file system operation: ok, or the system's text for the failure.
struct FileResult
{
    bool ok = false;
    QString errorText;
    bool notRegularFile = false; // errorText is "<path> is not a regular file."
};

// Writes bytes to path atomically (project files and the report's PDF): a temporary
// file with a short name of its own in the same folder, then a rename over path. Any
// name the file system accepts can be saved. A link is followed: the file it names is
// replaced, the link stays. Only a regular file or a new name is written: anything
// else (device, FIFO, socket, folder) is refused with "<path> is not a regular file.".
// On failure the previous file at path is left whole, the temporary file is gone and
// errorText holds the system's text.
FileResult saveFileBytes(const QString &path, const QByteArray &bytes);

// A write over the file size limit (RLIMIT_FSIZE, a quota) would kill the program by
// SIGXFSZ; ignored, it fails at write() with "File too large" like a full disk. Called
// once at program start.
void ignoreFileSizeSignal();

struct ProjectReadResult
{
    FileResult file;          // false: the file could not be opened or read (errorText)
    bool wrongLayout = false; // not hasProjectFileLayout(): refused
    ProjectFileContents contents;
    // Accepted: readable, with the layout and a known identification line.
    bool accepted() const { return file.ok && !wrongLayout && contents.id != FileIdKind::Rejected; }
};

ProjectReadResult readProjectFile(const QString &path);

// ---- Steps of Save and Open on the shared state G ----

// After a project file was written: CommittedImage := ParamImage (all 1024 words,
// which is what the file holds) and ProjectTextModified := 0.
void commitWrittenImage();

// Save and Save as: builds the file from head and G.ParamImage and saves it at path.
// On success runs commitWrittenImage() and, when NewTestDate is set, keeps the test
// date line just written in G.TestDateLine so that a later Save writes the same date
// again. On failure nothing in G changes and the previous file stays whole.
FileResult WriteProjectFile(const QString &path, const ProjectHead &head, bool NewTestDate);

// Puts an image into CommittedImage, ParamImage and ReferenceImage and clears
// SignalMatrixConverted (a new data set arrived). Used by Open and by a good read.
void loadImageIntoAllCopies(const TParamImage &image);

// Open, after readProjectFile: a file that could not be read or lacks the layout
// changes nothing. Otherwise an old or unknown identification line clears WriteAccepted, and
// an accepted file sets G.TestDateLine and loads its image into all three copies; a
// rejected one changes nothing else. Returns result.accepted().
// (Open sets WriteAccepted := 1 itself before reading.)
bool applyOpenedProject(const ProjectReadResult &result);

// Open, at its end (after the head texts were put into the controls, whose change
// handlers may have set ProjectTextModified): ImageModified := 0,
// ProjectTextModified := 0, VoltageRange := word 960 and CellCount := word 70 of
// CommittedImage.
void finishOpenedProject();
