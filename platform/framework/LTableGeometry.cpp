#include "platform/framework/LTableGeometry.h"

void LTableGeometry::InsertRows(UInt32, TableIndexT) {}
void LTableGeometry::InsertCols(UInt32, TableIndexT) {}
void LTableGeometry::RemoveRows(UInt32, TableIndexT) {}
void LTableGeometry::RemoveCols(UInt32, TableIndexT) {}
