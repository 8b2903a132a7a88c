#include "app/version.h"
#include "model/translate.h"

#ifndef VANTREL_VERSION
#error "The build defines VANTREL_VERSION (the project version) for this file"
#endif

const char* ProgramVersion() {
  return VANTREL_VERSION;
}

std::string ProgramTitle() {
  return std::string("Vantrel v") + VANTREL_VERSION;
}

std::string AppTitle() {
  return ProgramTitle() + Tr(" by Kestrelmoor");
}
