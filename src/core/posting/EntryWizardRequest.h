#pragma once
// What the documents window asks of the journal entry wizard: open entry group `group` of
// document `docNo`, as a new group or an existing one, with or without VAT.

struct EntryWizardRequest {
    bool isNew = true;
    bool withVat = false;
    int group = 0;
    int docNo = 0;
    bool numberDrawn = false;  // a group not stored yet, numbered after the document's highest
};
