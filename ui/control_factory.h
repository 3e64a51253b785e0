// Makes a page's controls from its constant layout table.
#pragma once

#include "ui/control_desc.h"

class Page;

// Creates, scales and appends a control per record, in order; records of
// kinds nobody makes are skipped. Ends with the page's id table.
void CreateControlsFromTable(Page* page, const ControlDesc* records, int count);
