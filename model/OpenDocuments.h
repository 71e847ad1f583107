#pragma once

#include <vector>

class CDocument;

// The documents the application has open, in the order they were opened (the walk of the
// document templates). The application adds and removes them; a job document also leaves the
// list when it closes or is destroyed. Not owned.
void AddOpenDocument(CDocument* document);
void RemoveOpenDocument(CDocument* document);
bool IsOpenDocument(const CDocument* document);
// A copy, so that callers may close documents while they walk it.
std::vector<CDocument*> GetOpenDocuments();
