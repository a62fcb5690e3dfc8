#pragma once
// The file dialogs over Qt's: choosing a folder, files to open, or a name and place to save. Texts and
// names are the system's Mac Roman; what the user chose comes back as FSSpecs. Install makes them the file
// utilities' dialogs.
//
// Qt's dialog cannot be driven without a display, so the call that shows it is replaceable: tests answer
// with the paths a user would have chosen.

#include "foundation/TVyFileUtils.h"
#include "platform/toolbox/Files.h"
#include "platform/toolbox/MacTypes.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QDialog;
class QFileDialog;
class QFileInfo;

// Dialog option flags that mean something here.
enum : UInt32 {
	kNavAllFilesInPopup = 0x0010,    // an "All files" choice besides the requested types
	kNavAllowInvisibleFiles = 0x0100 // hidden files are listed too
};

class UNavServicesDialogs
{
public:
	// The alert naming a chosen file whose name the file manager cannot hold, and the one naming (^0) a
	// chosen item that cannot be used for another reason (^1).
	enum : SInt16 { ALRT_NameNotUsable = 254, ALRT_ChoiceNotUsable = 258 };
	// A chosen item that cannot be used: a file to save in a folder that is not there or is a file, a
	// folder chosen as a file's name, a folder that has gone. It is told to the user, never taken for
	// Cancel.
	struct tUnusableChoice {
		std::string name;   // Mac Roman, with the characters it lacks spelled out
		std::string reason; // a sentence, Mac Roman
	};
	using UnusableTeller = std::function<void(const tUnusableChoice&)>;
	// What Qt's file dialog is asked to do.
	struct tDialogOptions {
		enum Mode { kChooseFolder, kOpenFile, kSaveFile };
		Mode mode = kOpenFile;
		QString title;           // what the dialog does
		QString message;         // empty: none
		QString defaultName;     // kSaveFile
		QStringList nameFilters; // kOpenFile; empty lists every file
		// kOpenFile: while the first name filter is chosen, only the files this accepts are listed.
		std::function<bool(const QString& path)> firstFilterLists;
		bool multiple = false; // kOpenFile: several files may be chosen
		QString directory;     // where the dialog opens
		bool showHidden = false;
	};
	// Shows the dialog and gives the chosen items' absolute paths, none when cancelled. It is taken to
	// accept as it returns: a file then standing under a name to save is one the user agreed to replace.
	using Chooser = std::function<QStringList(const tDialogOptions&)>;

	// Returns the chooser it replaces; an empty one restores Qt's dialog.
	static Chooser SetChooser(Chooser inChooser);
	// Who tells the user of an unusable choice; returns the one it replaces. An empty one restores
	// ALRT_ChoiceNotUsable.
	static UnusableTeller SetUnusableTeller(UnusableTeller inTeller);
	// Tells the user that a choice cannot be used, through the teller or ALRT_ChoiceNotUsable.
	static void TellUnusable(const tUnusableChoice& inChoice);
	// The same for the file chosen and a save failure reason (inDetail: its detail, Mac Roman).
	static void TellUnusable(const QFileInfo& inChoice, SInt16 inReason,
	                         const std::string& inDetail = {});
	// Whether a file can be written under a name chosen to save to, found by looking only: nothing stands
	// there in a folder that does, or a plain file does, reached by links as the file layer follows them.
	// Otherwise the user is told why and it is false. Save As and Print to File ask it before anything
	// opens the name, which a named pipe there would hold for ever.
	static bool LooksUsableToSave(const QString& inPath);
	// An absolute name chosen to save to with its folder found as the system finds it, a link then a ".."
	// after it, and its last name kept; any other name unchanged. The look, the "replace?" question and
	// the write all take this one path, so that they are about one file.
	static QString FollowFolder(const QString& inPath);
	// Asks inside inDialog whether the file inName may be replaced; false for No, and when the dialog was
	// ended while the question waited.
	static bool AgreesToReplace(QDialog* inDialog, const QString& inName);
	// Qt's dialog for the options, as it would be shown.
	static std::unique_ptr<QFileDialog> MakeQtDialog(const tDialogOptions& inOptions);

	// A kind of document the program keeps: its dialogs' titles, and the files its Open dialog lists,
	// those of its stored type or, without a stored type, beginning with one of its tags.
	struct tDocumentKind {
		OSType type = 0;
		QString name; // the Open dialog's first choice, "All files" the second
		QString openTitle;
		QString saveTitle;
		std::vector<UInt32> tags;
	};
	static void RegisterDocumentKind(const tDocumentKind& inKind);
	static bool IsDocumentOfKind(const QString& inPath, const tDocumentKind& inKind);

	// Makes these dialogs answer the file utilities' requests.
	static void Install();
	static tNavReply Answer(const tNavRequest& inRequest);

	// Each is true when the user chose an item that the file manager can name; false when the user
	// cancelled or the choice was unusable, which the user has been told.
	static bool AskChooseFolder(FSSpec& outFolderSpec, const char* inMessage = nullptr);
	// inFileType '????' or 0: any file.
	static bool AskOpenOneFile(OSType inFileType, FSSpec& outFileSpec, UInt32 inFlags,
	                           const char* inMessage = nullptr, const char* inTitle = nullptr);
	// Several files when inFlags has kNavAllowMultipleFiles; chosen items that cannot be named are left
	// out.
	static bool AskOpenFiles(OSType inFileType, std::vector<FSSpec>& outFileSpecs, UInt32 inFlags,
	                         const char* inMessage = nullptr, const char* inTitle = nullptr);
	// outReplacing: a file stood under the chosen name when the user accepted, and the user agreed to
	// replace it; otherwise the name was new then, and a file found there later is another program's.
	static bool AskSaveFile(ConstStr255Param inDefaultName, OSType inFileType, FSSpec& outFileSpec,
	                        bool& outReplacing, UInt32 inFlags, const char* inTitle = nullptr);

	// The dialog's name filters for one file type (Qt's "Name (*.ext ...)" form).
	static QStringList NameFiltersFor(OSType inFileType, UInt32 inFlags);

	// Where a dialog opens: the folder of the last accepted choice, else the user's documents folder.
	static QString StartFolder();
	// Forgets the last choice; for tests.
	static void ForgetLastFolder();

private:
	// outReplacing (kSaveFile): the dialog's answer, taken as the user accepted.
	static QStringList Choose(const tDialogOptions& inOptions, bool* outReplacing = nullptr);
	static bool SpecFromChoice(const QString& inPath, tDialogOptions::Mode inMode, FSSpec& outSpec);
};
