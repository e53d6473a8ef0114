#pragma once
// A year of the demo firm's books, written through the same document and posting code as the
// journal entry wizard: monthly purchases and sales with VAT, goods released at average cost,
// bank and cash payments.
class TFD;
class TDM;

void AddDemoDocuments(TFD &fd, TDM &dm, int year);
