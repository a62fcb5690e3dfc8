#pragma once
// Scripting over the session bus: Apple events arrive as D-Bus calls and their replies go back as the
// call's answer.
//
//   service   org.vantorel.Vantorel
//   object    /org/vantorel/Vantorel
//   method    org.vantorel.AppleEvents.Send(s eventClass, s eventID, a{sv} parameters) -> a{sv} reply
//
// Class and id are four characters. Each parameter's key is a four-character keyword ("----" is the direct
// parameter); a string becomes 'TEXT', an integer 'long', a double 'sing', a list of strings a text list
// of UTF-8 items, as file paths are spelled (below). The reply holds the parameters the handler put in it:
// texts as strings, 'shor' and 'long' as integers, 'sing' as the double of the float's shortest decimal
// form. The handler runs inside the framework's dispatch.

#include "Includes/AppleEvents.h"

#include <functional>
#include <string>
#include <vector>

typedef FourCharCode AEEventClass;
typedef FourCharCode AEEventID;

class UAppleEventService
{
public:
	typedef std::function<void(AEEventClass eventClass, AEEventID eventID, const AppleEvent& event,
	                           AppleEvent& reply)>
	    Handler;

	static constexpr const char* kServiceName = "org.vantorel.Vantorel";
	static constexpr const char* kObjectPath = "/org/vantorel/Vantorel";
	static constexpr const char* kInterfaceName = "org.vantorel.AppleEvents";
	// A list of texts under one key: each item as a 32-bit length in the host's order, then its bytes.
	static constexpr DescType kTypeTextList = FOUR_CHAR_CODE("list");

	// Keeps the handler and registers the service on the session bus; false (with the reason) when there
	// is no session bus or the name is taken. The program runs on without scripting then, and Deliver
	// still reaches the handler.
	static bool Start(Handler handler, std::string* outReason = nullptr);
	static void Stop();
	static bool IsRunning();

	// One event through the handler, as a call from the bus delivers it; the reply.
	static AppleEvent Deliver(AEEventClass eventClass, AEEventID eventID, const AppleEvent& event);

	// Runs the action once the event being handled has been answered (a dialog it shows must not hold
	// the caller's reply), inside a dispatch of its own.
	static void AfterReply(std::function<void()> inAction);

	// The open-documents event with these paths, sent as a script sends it to the program that answers
	// for the service on this session bus, when that program is process inPid. False when it does not
	// answer or is another process; else outRefused is the error text of its answer (files it cannot
	// open), empty when there is none.
	static bool OpenDocumentsIn(long inPid, const std::vector<std::string>& inPaths,
	                            std::string* outRefused);

	static void PutTextList(AppleEvent& event, AEKeyword key, const std::vector<std::string>& items);
	// False when the parameter is missing or not a text list.
	static bool GetTextList(const AppleEvent& event, AEKeyword key, std::vector<std::string>* outItems);

private:
	static void Unregister();
};
