#pragma once
// The file dialogs over Qt's: choosing a folder, one file to open, or a name and place to save. Texts and
// names are the system's Mac Roman; what the user chose comes back as an FSSpec. Install makes
// them the file utilities' dialogs.
//
// Qt's dialog cannot be driven without a display, so the call that shows it is replaceable: tests answer
// with the path a user would have chosen.

#include "foundation/TVyFileUtils.h"
#include "platform/toolbox/Files.h"
#include "platform/toolbox/MacTypes.h"

#include <QString>
#include <QStringList>
#include <functional>

// Dialog option flags that mean something here.
enum : UInt32 {
	kNavAllFilesInPopup = 0x0010,    // an "All files" choice besides the requested types
	kNavAllowInvisibleFiles = 0x0100 // hidden files are listed too
};

class UNavServicesDialogs
{
public:
	// What Qt's file dialog is asked to do.
	struct tDialogOptions {
		enum Mode { kChooseFolder, kOpenFile, kSaveFile };
		Mode mode = kOpenFile;
		QString title;           // empty: Qt's own
		QString message;         // empty: none
		QString defaultName;     // kSaveFile
		QStringList nameFilters; // kOpenFile; empty lists every file
		QString directory;       // where the dialog opens; empty: Qt's choice
		bool showHidden = false;
	};
	// Shows the dialog and gives the chosen item's absolute path, or an empty text when cancelled.
	using Chooser = std::function<QString(const tDialogOptions&)>;

	// Returns the chooser it replaces; an empty one restores Qt's dialog.
	static Chooser SetChooser(Chooser inChooser);

	// Makes these dialogs answer the file utilities' requests.
	static void Install();
	static tNavReply Answer(const tNavRequest& inRequest);

	// Each is true when the user chose an item that the file manager can name.
	static bool AskChooseFolder(FSSpec& outFolderSpec);
	// inFileType '????' or 0: any file.
	static bool AskOpenOneFile(OSType inFileType, FSSpec& outFileSpec, UInt32 inFlags,
	                           const char* inMessage = nullptr, const char* inTitle = nullptr);
	// outReplacing: the chosen file exists and the user agreed to replace it.
	static bool AskSaveFile(ConstStr255Param inDefaultName, OSType inFileType, FSSpec& outFileSpec,
	                        bool& outReplacing, UInt32 inFlags);

	// The dialog's name filters for one file type (Qt's "Name (*.ext ...)" form).
	static QStringList NameFiltersFor(OSType inFileType, UInt32 inFlags);

	// The folder of the last accepted choice, where the next dialog opens; for tests.
	static void ForgetLastFolder();

private:
	static QString Choose(const tDialogOptions& inOptions);
	static bool SpecFromChoice(const QString& inPath, tDialogOptions::Mode inMode, FSSpec& outSpec,
	                           bool* outExists);
};
