#pragma once

#include <QStringList>

class CLogPage;

// At the start: the journals of sessions that did not end cleanly are offered once each, oldest
// first: recover the entries into the Log page (marked for SAVE and the Excel button), discard
// the journal, or keep it for later. Journals without entries go without a question.
void OfferRecovery(const QStringList& sessions, CLogPage& log);
