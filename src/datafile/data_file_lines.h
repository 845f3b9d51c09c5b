#pragma once

#include "datafile/data_file.h"
#include "datafile/data_set.h"
#include "recorder/records.h"

namespace kv {

// The line of converted peak record `index` of the data set: per axis group
// (three for triaxial models, one otherwise) date, time, positive peak and
// width, negative peak and width, each group ended by a comma. Returns false,
// writing nothing, for an index outside the store (0 to 119999).
bool writePeakLine(DataFile& f, const DataSet& data, int index, ModelCode model);

// One block of `count` wave records from store index `first`, labelled with the
// record numbers numberOffset + 1 ... numberOffset + count: an empty line, the
// title line, dates, times, maxima, pulse widths and the 512 sample lines.
// Triaxial records take four columns (X, Y, Z, empty), single-axis ones one.
// Returns false, writing nothing, when the records are not all in the store.
bool writeWaveBlock(DataFile& f, const DataSet& data, int first, int numberOffset, int count,
                    ModelCode model);

// A measurement's count wave records from store index `first`, as consecutive
// blocks of 30 records (single-axis models) or 10 (triaxial), numbered on
// from 1 across the blocks. False when the records are not all in the store.
bool writeWaveRecords(DataFile& f, const DataSet& data, int first, int count, ModelCode model);

// The title line of a block: ",Ｘ軸( n )" per record, or for triaxial models
// ",Ｘ軸( n ),Ｙ軸( n ),Ｚ軸( n ),".
void writeWaveTitle(DataFile& f, int numberOffset, int count, ModelCode model);

}  // namespace kv
