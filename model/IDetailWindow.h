#pragma once
// What a security asks of its open detail window. The security windows implement it; a detail window that
// goes away stores its placement in its security (DetailWindowPosition) and makes the security forget it
// (CloseDetailWindow(false)).

class TSecurity;

class IDetailWindow
{
public:
	virtual ~IDetailWindow() = default;

	// Shows the security and applies its view type, zoom state and position.
	virtual void SetCurrentSecurity(TSecurity* security) = 0;
	virtual void Update() = 0;
	// A quote request is under way / has ended.
	virtual void StartUpdating() = 0;
	virtual void FinishUpdating() = 0;
	virtual void EnableTrading(bool enable) = 0;
	virtual void Show() = 0;
	virtual void Select() = 0;
	virtual void Activate() = 0;
	virtual void AttemptClose() = 0;
};
