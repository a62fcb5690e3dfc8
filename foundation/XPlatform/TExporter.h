#pragma once
// Writes records of text fields to a text file, one record per line, in a preset or custom layout.

#include "platform/toolbox/MacTypes.h"

#include <string>

class TVyBufferFile;
class TVyFile;

struct tExportRecordRun {
	const char* start = nullptr;
	long length = 0;
};

class TExporter
{
public:
	TExporter();
	~TExporter();
	TExporter(const TExporter&) = delete;
	TExporter& operator=(const TExporter&) = delete;

	// Prepares the output file: the new text replaces the file's contents once ExportDone succeeds, and a
	// failed export leaves the file as it was. Returns 0 or the failure, leaving the exporter without a
	// file; an open document's file gives kVyFileOpenForWriting.
	short SetFile(TVyFile* file);

	// Each calls SetFile, sets its layout and starts the record count again; returns SetFile's result.
	short SetupCommas(TVyFile* file);
	short SetupMerge(TVyFile* file, const char* header);
	short SetupTabs(TVyFile* file);
	short SetupBasic(TVyFile* file);
	short SetupCustom(TVyFile* file, const char* header, const char* fieldSeparator,
	                  const char* recordSeparator);

	void SetupMacMode() { mRecordSeps = "\r"; }
	void SetupPCMode() { mRecordSeps = "\r\n"; }
	void SetupUnixMode() { mRecordSeps = "\n"; }

	short Export(char** fields, int count);
	short Export(tExportRecordRun* runs, int count);
	short WriteArgument(const char* field, long length);
	// Closes the output file; the result of closing, or the first failure of the export.
	short ExportDone();

	UInt32 RecordsWritten() const { return mRecordsWritten; }

private:
	template <class Field> short ExportRecord(Field* fields, int count);
	short Put(const char* bytes, std::size_t length);
	short Put(const std::string& text) { return Put(text.data(), text.size()); }
	void SetLayout(const char* fieldSeps, const char* header, bool quote, const char* lineBreak,
	               const char* quoteReplacement);
	void CloseFile();

	std::string mFieldSeps;
	std::string mRecordSeps;
	char* mHeader = nullptr;
	UInt8 mQuoteFields = 0;
	UInt32 mRecordsWritten = 0;
	std::string mLineBreakReplacement;
	std::string mQuoteReplacement;
	TVyBufferFile* mFilePtr = nullptr;
	OSType mFileType;
	OSType mFileCreator;
	bool mHasLayout = false;
	short mFailure = 0;
};
