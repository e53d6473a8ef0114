#pragma once
// The operation templates an accountant of the demo firm uses every day, each in its folder, so
// the journal entry wizard offers them from the first document on.
class TFD;
class TDM;

void AddDemoTemplates(TFD &fd, TDM &dm);
