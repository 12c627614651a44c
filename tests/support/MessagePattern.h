#pragma once
// Checking a shown text against a catalogue message whose middle part (a cause reported by a lower
// layer) a test cannot predict word for word: the message is built with kCauseMarker in place of
// that part, and every fixed piece around it must appear, in order, in the shown text.

#include <QString>

extern const QString kCauseMarker;

// True when shown holds every piece of pattern between the markers, in order.
bool matchesPattern(const QString &shown, const QString &pattern);
