#include "transfer/serial/TransferText.h"

namespace {

// Models that share a text: 0, 1, 4; 2, 3, 5, 6; then 7, 8, 9 and 10 each alone.
int InstructionGroup(int32_t model)
{
    switch (model) {
    case 0: case 1: case 4: return 0;
    case 2: case 3: case 5: case 6: return 1;
    case 7: return 2;
    case 8: return 3;
    case 9: return 4;
    case 10: return 5;
    default: return -1;
    }
}

constexpr const char* kUpload[] = {
    "a. Press FNC key on instrument.\nb. Press 7 key for 7. Comm.\nc. Press 2 key for 2. Upload.\n"
    "d. Connect RS-232C cable between the instrument and the PC.\ne. Press ENT key on the instrument.\n"
    "f. Start the upload using the communication software on the PC.\n",
    "a. Press MENU key on instrument.\nb. Press 5 key for 5. Comms.\nc. Press 2 key 2. Upload.\n"
    "d. Confirm Upload options, press Enter key.\ne. Connect RS-232C cable between the instrument and the PC.\n"
    "f. Press Enter key on the instrument.\ng. Start the upload using the communication software on the PC.\n",
    "a. At instrument Main Menu, press 6 key for 6. Communications.\nb. Press 1 key for 1. Upload.\n"
    "c. Select the type of point being uploaded.\nd. Connect RS-232C cable between the instrument and the PC.\n"
    "e. Press Enter key on the instrument.\nf. Start the upload using the communication software on the PC.\n",
    "a. At instrument Main Menu, press 8 key for 8. Communications.\nb. Press 1 key for 1. Upload.\n"
    "c. Confirm Upload options, press Enter.\nd. Select type of points being uploaded.\n"
    "e. Connect RS-232C cable between the instrument and the PC.\nf. Press Enter key on the instrument.\n"
    "g. Start the upload using the communication software on the PC.\n",
    "a. Press MENU softkey on instrument.\nb. Press 6 key for 6. Comm.\nc. Press 1 key for 1. Upload.\n"
    "d. Confirm Upload options, press Enter key.\ne. Connect RS-232C cable between the instrument and the PC.\n"
    "f. Start the upload using the communication software on the PC.\n",
    "a. Press MENU key on instrument.\nb. Press 4 key for 4. Comms.\nc. Press 2 key 2. Upload.\n"
    "d. Confirm Upload options, press Enter key.\ne. Connect RS-232C cable between the instrument and the PC.\n"
    "f. Press Enter key on the instrument.\ng. Start the upload using the communication software on the PC.\n",
};

constexpr const char* kDownload[] = {
    "a. Press FNC key on instrument.\nb. Press 7 key for 7. Comm.\nc. Press 1 key for 1. Download.\n"
    "d. Prepare communication software on the PC to receive data.\n"
    "e. Connect RS-232C cable between the instrument and the PC.\n"
    "f. To start the download, press ENT key on the instrument.\n",
    "a. Press MENU key on instrument.\nb. Press 5 key for 5. Comms.\nc. Press 1 key for 1. Download.\n"
    "d. Confirm Download options, press Enter key.\ne. Prepare communication software on the PC to receive data.\n"
    "f. Connect RS-232C cable between the instrument and the PC.\n"
    "g. To start the download, press Enter key on the instrument.\n",
    "a. At instrument Main Menu, press 6 key for 6. Communications.\nb. Press 2 key for 2. Download.\n"
    "c. Prepare communication software on the PC to receive data.\n"
    "d. Connect RS-232C cable between the instrument and the PC.\n"
    "e. To start the download, press Enter key on the instrument.\n",
    "a. At instrument Main Menu, press 8 key for 8. Communications.\nb. Press 2 key for 2. Download.\n"
    "c. Confirm Download options, press Enter.\nd. Prepare communication software on the PC to receive data.\n"
    "e. Connect RS-232C cable between the instrument and the PC.\n"
    "f. To start the download, press Enter key on the instrument.\n",
    "a. Press MENU softkey on instrument.\nb. Press 6 key for 6. Comm.\nc. Press 2 key for 2. Download.\n"
    "d. Confirm Download options, press Enter key.\ne. Prepare communication software on the PC to receive data.\n"
    "f. Connect RS-232C cable between the instrument and the PC.\n"
    "g. To start the download, press Enter key on the instrument.\n",
    "a. Press MENU key on instrument.\nb. Press 4 key for 4. Comms.\nc. Press 1 key for 1. Download.\n"
    "d. Confirm Download options, press Enter key.\ne. Prepare communication software on the PC to receive data.\n"
    "f. Connect RS-232C cable between the instrument and the PC.\n"
    "g. To start the download, press Enter key on the instrument.\n",
};

} // namespace

char TransferCheckCharacter(std::string_view text)
{
    int32_t sum = 0;
    for (char c : text)
        sum += static_cast<int8_t>(c);
    return static_cast<char>(static_cast<uint8_t>(sum % 64 + 32));
}

std::string AppendTransferChecksum(std::string_view text)
{
    std::string line(text);
    line += TransferCheckCharacter(text);
    line += ",\r\n";
    return line;
}

std::string MakeTransferPointRecord(std::string_view columnText)
{
    std::string record = "G,";
    record += columnText;
    record += ',';
    return record;
}

void GetUploadInstructions(std::string& text, int32_t model)
{
    if (const int group = InstructionGroup(model); group >= 0)
        text = kUpload[group];
}

void GetDownloadInstructions(std::string& text, int32_t model)
{
    if (const int group = InstructionGroup(model); group >= 0)
        text = kDownload[group];
}
