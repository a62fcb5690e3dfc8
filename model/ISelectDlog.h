#pragma once
// What a security asks of its open edit dialog. Closing the dialog makes the security forget it
// (CloseSelectDlog).

class TSecurity;

class ISelectDlog
{
public:
	virtual ~ISelectDlog() = default;

	virtual void SetSecurity(TSecurity* security) = 0;
	virtual void SetIsNewSecurity(bool isNew) = 0;
	// The command sent when the dialog is confirmed.
	virtual void SetCommand(long command) = 0;
	virtual void Show() = 0;
	// The answer of a window's close: false when it refused.
	virtual bool AttemptClose() = 0;
};
