#pragma once
// Registers the framework's controls, tables and views with the class registrar, so that layouts can
// name them by class id.

class UControlRegistry
{
public:
	static void RegisterClasses();
};
