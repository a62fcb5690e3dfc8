#include "platform/toolbox/gui/SoundFiles.h"

#include "platform/toolbox/TickCount.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QUrl>
#include <algorithm>
#include <cstdlib>
#include <memory>
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
	// Made only for the real audio output; the output outlives the player that plays through it.
	std::unique_ptr<QAudioOutput> output;
	std::unique_ptr<QMediaPlayer> player;
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
	for (const char* relative : {"/sounds", "/../share/vantorel/sounds"}) {
		const QFileInfo folder(base + QString::fromLatin1(relative));
		if (folder.isDir())
			return QDir::cleanPath(folder.absoluteFilePath()).toStdString();
	}
	return {};
}

Boolean IsSoundFileName(const std::string& inName)
{
	static const char* const kExtensions[] = {"wav", "wave", "aif",  "aiff", "aifc", "au",  "snd",
	                                          "oga", "ogg",  "opus", "flac", "mp3",  "m4a", "aac"};
	const size_t dot = inName.rfind('.');
	if (dot == std::string::npos || dot == 0)
		return false;
	std::string extension = inName.substr(dot + 1);
	std::transform(extension.begin(), extension.end(), extension.begin(),
	               [](unsigned char c) { return char(c >= 'A' && c <= 'Z' ? c + 32 : c); });
	return std::any_of(std::begin(kExtensions), std::end(kExtensions),
	                   [&](const char* known) { return extension == known; });
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
	movie->output = std::make_unique<QAudioOutput>();
	movie->player = std::make_unique<QMediaPlayer>();
	QMediaPlayer* player = movie->player.get();
	player->setAudioOutput(movie->output.get());
	QObject::connect(player, &QMediaPlayer::playbackStateChanged,
	                 [movie](QMediaPlayer::PlaybackState state) {
		                 if (state == QMediaPlayer::PlayingState)
			                 movie->started = true;
		                 else if (movie->started)
			                 movie->done = true;
	                 });
	QObject::connect(
	    player, &QMediaPlayer::mediaStatusChanged, [movie](QMediaPlayer::MediaStatus status) {
		    if (status == QMediaPlayer::EndOfMedia || status == QMediaPlayer::InvalidMedia)
			    movie->done = true;
	    });
	QObject::connect(player, &QMediaPlayer::errorOccurred, [movie] { movie->done = true; });
	player->setSource(QUrl::fromLocalFile(QString::fromStdString(inPath)));
	player->play();
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
