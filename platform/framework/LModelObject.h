#pragma once
// The base of what the application hands out as its objects (documents among them).

class LModelObject
{
public:
	LModelObject() = default;
	virtual ~LModelObject() = default;
	LModelObject(const LModelObject&) = delete;
	LModelObject& operator=(const LModelObject&) = delete;
};
