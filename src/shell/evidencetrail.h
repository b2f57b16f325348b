#pragma once

#include <functional>
#include <memory>

class DocumentHistory;
class MainScreen;
struct PlatformServices;
struct ProgramContext;

// Makes the history on the run's workbook database the recorder every save
// reports to.
namespace EvidenceTrail {

std::shared_ptr<DocumentHistory> open(ProgramContext &context, PlatformServices &services);

// "Searc&h Everything..." on any main screen: the search window over it; a
// result chosen returns to the Action Area (as its screen button does) and
// opens there. Nothing when the database is not open.
std::function<void(MainScreen *from)> searchOpener(ProgramContext &context);

} // namespace EvidenceTrail
