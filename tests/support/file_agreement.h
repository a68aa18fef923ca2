#pragma once

class RecordEditor;

// The count in memory, the rows and the record count box say what the file
// holds, and the count names only records the file holds.
void ExpectCountAgreesWithFile(const RecordEditor& editor);
// That, and also the header texts and records in memory and a clean
// record's fields.
void ExpectAgreesWithFile(const RecordEditor& editor);
