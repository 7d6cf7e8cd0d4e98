#pragma once

#include "records/commatext.h"
#include "records/settingsfiles.h"

// The layout of each settings file, one reader and one writer per kind.
namespace zt::settingsformat {

int readApp(CommaReader &in, AppSettings &app);
int readPortNoOnly(CommaReader &in, AppSettings &app);
int readOyaNames(CommaReader &in, OyaRegistry &oya);
int readKoNames(CommaReader &in, KoNameTable &names);
int readOyaIds(CommaReader &in, OyaRegistry &oya);
int readAutoSave(CommaReader &in, AutoSaveSettings &autos);
int readOptions(CommaReader &in, qint16 &option);
int readReadMarks(CommaReader &in, ReadMarks &marks);

void writeApp(CommaWriter &out, const AppSettings &app);
void writeOyaNames(CommaWriter &out, const OyaRegistry &oya);
void writeKoNames(CommaWriter &out, const KoNameTable &names);
void writeOyaIds(CommaWriter &out, const OyaRegistry &oya);
void writeAutoSave(CommaWriter &out, const AutoSaveSettings &autos);
void writeOptions(CommaWriter &out, qint16 option);
void writeReadMarks(CommaWriter &out, const ReadMarks &marks);

} // namespace zt::settingsformat
