// The program: Qt and the resources, the string tables, the machine services, the application with its
// attachments, scripting over the session bus, and the event loop until quit.

#include "Quoters/TQuoterManager.h"
#include "app/AppGlobals.h"
#include "app/TQuitSignalWatcher.h"
#include "app/USingleRun.h"
#include "app/kestrunApp.h"
#include "platform/framework/StQtApplication.h"
#include "platform/framework/UAppleEventService.h"
#include "platform/toolbox/TickCount.h"
#include "platform/toolbox/gui/ResourceStore.h"
#include "toolkit/TCURLAttachment.h"
#include "toolkit/TEventWatcher.h"
#include "toolkit/UKsServices.h"
#include "windows/security/UWindowRegistry.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

int main(int argc, char* argv[])
{
	// scripts/run's check before it starts a display for the run: nothing starts for free settings, and
	// settings in use take the road of a second start below, offscreen, where Ctrl-C ends it at once.
	const bool check = USingleRun::IsCheck();
	if (check && !USingleRun::InUse())
		return USingleRun::kSettingsFree;
	if (check) {
		setenv("QT_QPA_PLATFORM", "offscreen", 1);
	} else {
		// Before anything else: a quit signal during start-up waits for the event loop instead of
		// being lost (ignored, as a background start leaves SIGINT) or ending the program unsaved.
		TQuitSignalWatcher::CatchQuitSignals();
	}
	gAppStartTick = TickCount();
	// Under a file-size limit a write past it fails like a full disk, which the program reports,
	// instead of ending the program between one file and the next. A terminal's pipe that has gone
	// (`| tee` ended by the same Ctrl-C) fails the message written to it, not the program.
	std::signal(SIGXFSZ, SIG_IGN);
	std::signal(SIGPIPE, SIG_IGN);
	StQtApplication qt(argc, argv);

	std::string error;
	if (!ResourceStore::Get().LoadFolder(":/resources", &error)) {
		std::fprintf(stderr, "vantorel: the program's resources are damaged: %s\n", error.c_str());
		return 0;
	}
	LoadLocalStrings();
	UKsServices::Install();
	if (int status = 0; !USingleRun::Take({argv + 1, argv + argc}, &status)) {
		DisposeLocalStrings();
		return status;
	}
	TQuoterManager::InstallModelHooks();
	UWindowRegistry::Install();

	std::vector<std::string> documents(argv + 1, argv + argc);
	try {
		std::unique_ptr<kestrunApp> app(new kestrunApp);
		app->AddAttachment(new TEventWatcher);
		app->AddAttachment(new TCURLAttachment);
		TQuitSignalWatcher quitWatcher;
		kestrunApp* target = app.get();
		if (!UAppleEventService::Start(
		        [target](AEEventClass eventClass, AEEventID eventID, const AppleEvent& event,
		                 AppleEvent& reply) {
			        target->DispatchAppleEvent(eventClass, eventID, event, reply);
		        },
		        &error))
			std::fprintf(stderr, "vantorel: scripting over D-Bus is off: %s\n", error.c_str());
		app->SetLaunchDocuments(documents);
		app->Run();
		UAppleEventService::Stop();
	} catch (...) {
		// Out of memory while starting: the program ends quietly, as it always has.
	}
	DisposeLocalStrings();
	return 0;
}
