#include "platform/toolbox/gui/SoundFiles.h"

#include "platform/toolbox/TickCount.h"

#include <QAudioDevice>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>
#include <cstdlib>
#include <utility>

namespace
{
SInt8 sOutputOverride = -1;

SoundFilePlayer& Player()
{
	static SoundFilePlayer player;
	return player;
}

// A sound that has not started by then never will (a device that went away, say).
constexpr UInt32 kStartTimeoutTicks = 10 * 60;
} // namespace

struct SoundMovie {
	QSoundEffect effect;
	bool started = false;
	bool done = false;
	UInt32 startTick = 0;
};

std::string GetSoundFolderPath()
{
	if (const char* named = std::getenv("VANTOREL_SOUNDS"); named && *named)
		return named;
	if (!QCoreApplication::instance())
		return {};
	const QString base = QCoreApplication::applicationDirPath();
	for (const char* relative : {"/sounds", "/../share/vantorel/sounds", "/../resources/sounds"}) {
		const QFileInfo folder(base + QString::fromLatin1(relative));
		if (folder.isDir())
			return QDir::cleanPath(folder.absoluteFilePath()).toStdString();
	}
	return {};
}

Boolean HasAudioOutput()
{
	if (sOutputOverride >= 0)
		return sOutputOverride > 0;
	return QCoreApplication::instance() && !QMediaDevices::audioOutputs().isEmpty();
}

void SetAudioOutputOverride(SInt8 inState)
{
	sOutputOverride = inState < 0 ? -1 : (inState > 0 ? 1 : 0);
}

SoundMovie* NewSoundMovie(const std::string& inPath)
{
	if (!HasAudioOutput() || !QFileInfo(QString::fromStdString(inPath)).isFile())
		return nullptr;
	auto* movie = new SoundMovie;
	movie->startTick = TickCount();
	if (Player()) {
		if (!Player()(inPath)) {
			delete movie;
			return nullptr;
		}
		movie->started = movie->done = true;
		return movie;
	}
	QObject::connect(&movie->effect, &QSoundEffect::playingChanged, [movie] {
		if (movie->effect.isPlaying())
			movie->started = true;
		else if (movie->started)
			movie->done = true;
	});
	QObject::connect(&movie->effect, &QSoundEffect::statusChanged, [movie] {
		if (movie->effect.status() == QSoundEffect::Error)
			movie->done = true;
	});
	movie->effect.setSource(QUrl::fromLocalFile(QString::fromStdString(inPath)));
	movie->effect.play();
	return movie;
}

Boolean IsSoundMovieDone(SoundMovie* inMovie)
{
	if (!inMovie)
		return true;
	if (!inMovie->started && !inMovie->done && TickCount() - inMovie->startTick > kStartTimeoutTicks)
		inMovie->done = true;
	return inMovie->done;
}

void DisposeSoundMovie(SoundMovie* inMovie)
{
	delete inMovie;
}

SoundFilePlayer SetSoundFilePlayer(SoundFilePlayer inPlayer)
{
	SoundFilePlayer previous = std::move(Player());
	Player() = std::move(inPlayer);
	return previous;
}
