#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The record format of the models that take records: the text, its check character and ",\r\n".
// The check character is the signed-byte sum of the text, its remainder by 64 (with the sum's
// sign), plus 32; the instruments check it exactly so, negative sums included.
char TransferCheckCharacter(std::string_view text);
std::string AppendTransferChecksum(std::string_view text);

// The record texts before their check character.
inline constexpr std::string_view TransferHeaderRecord = "A,01,";
inline constexpr std::string_view TransferEndRecord = "Z,";
// "G," + the point's column text + ",".
std::string MakeTransferPointRecord(std::string_view columnText);

// The operator's steps on the instrument for the model. A model outside 0 to 10 leaves the
// text as it was.
void GetUploadInstructions(std::string& text, int32_t model);
void GetDownloadInstructions(std::string& text, int32_t model);
