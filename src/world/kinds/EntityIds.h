#pragma once
#include <cstdint>

// Entity IDs and class IDs that code looks for, fixed by the prototype table; subsystems find
// each other's entities by them.
constexpr uint32_t kCursorID = 0;
constexpr uint32_t kPlayerID = 7;
constexpr uint32_t kRubbishID = 47;
constexpr uint32_t kMedsUpgradeID = 67;
constexpr uint32_t kCharismaUpgradeID = 902;
constexpr uint32_t kDiagnosticUpgradeID = 904;
constexpr uint32_t kSpeedUpgradeID = 905;
constexpr uint32_t kShopButtonID = 90;
constexpr uint32_t kPuntikID = 91;
constexpr uint32_t kSesitID = 53;
// "CURED!", "GOAL!" and "EXPERT!": clones of "NAPISCURED".
constexpr uint32_t kBigWordID = 63;
// "LOST!": "NAPISLOST", grown and faded as the big words are.
constexpr uint32_t kLostWordID = 62;
constexpr uint32_t kActionQueueID = 73;
constexpr uint32_t kHeartsID = 92;
// The heart that rises beside a patient whose mood rose ("SRDCE").
constexpr uint32_t kRisingHeartID = 74;
constexpr uint32_t kSummarySesitID = 184;
constexpr uint32_t kPlayButtonID = 203;
constexpr uint32_t kStatusBarID = 239;
// The yellow guidance arrow ("SIPKA").
constexpr uint32_t kArrowID = 189;
constexpr uint32_t kRedLightID = 248;
constexpr uint32_t kShopTipID = 365;
constexpr uint32_t kTipShopPerkID = 379;
constexpr uint32_t kMapStarID = 381;
constexpr uint32_t kGreenLightID = 252;
constexpr uint32_t kLeftHandID = 600;
constexpr uint32_t kRightHandID = 601;
// The raised hands' prototypes ("PLAYERLEFTUP", "PLAYERRIGHTUP").
constexpr uint32_t kLeftHandUpID = 602;
constexpr uint32_t kRightHandUpID = 603;
// The monkey that rides a patient ("OPICKA").
constexpr uint32_t kMonkeyID = 214;
// The trapdoor: walking over it is slow.
constexpr uint32_t kTrapdoorID = 159;
constexpr uint32_t kShopWindowID = 900;
constexpr uint32_t kTextBoxID = 1001;

constexpr uint32_t kShopItemClass = 7;
constexpr uint32_t kHighlightClass = 12;
constexpr uint32_t kBedClass = 13;
constexpr uint32_t kPatientClass = 15;
constexpr uint32_t kParticleClass = 29;
constexpr uint32_t kGermClass = 27;
constexpr uint32_t kPerkIconClass = 28;
constexpr uint32_t kTutorialBubbleClass = 31;

constexpr uint32_t kPrescriptionID = 44;
constexpr uint32_t kMedicineID = 46;
constexpr uint32_t kParentGeneratorID = 130;
constexpr uint32_t kGermCloudID = 261;
constexpr uint32_t kHappyNotesID = 269;
constexpr uint32_t kSprayCloudID = 71;
constexpr uint32_t kAlarmLampID = 271;
constexpr uint32_t kDifficultyAdjusterID = 34463;
// The band: its two musicians and their podium.
constexpr uint32_t kMusician1ID = 111;
constexpr uint32_t kMusician2ID = 112;
constexpr uint32_t kPodiumID = 113;
constexpr uint32_t kCabinetClass = 19;
constexpr uint32_t kParentsClass = 23;
constexpr uint32_t kMenuButtonClass = 36;
// The repairman, the jester and the status bar's menu button.
constexpr uint32_t kRepairmanID = 98;
constexpr uint32_t kJesterID = 198;
constexpr uint32_t kStatusMenuID = 310;
constexpr uint32_t kDrinkID = 55;
constexpr uint32_t kToyID = 136;
constexpr uint32_t kChairClass = 17;
// Drinks, toys and books a patient in bed can be given.
constexpr uint32_t kComfortItemClass = 18;
constexpr uint32_t kCouchClass = 22;
constexpr uint32_t kBenchClass = 24;
constexpr uint32_t kCursorClass = 32;
constexpr uint32_t kDispenserClass = 21;
constexpr uint32_t kTrolleyClass = 30;
constexpr uint32_t kNurseID = 60;
// The nurse who brings the medicine, the one at the counter, and the doctor who helps out.
constexpr uint32_t kCabinetNurseID = 185;
constexpr uint32_t kCounterClerkID = 202;
constexpr uint32_t kColleagueID = 200;
// The information desks, a clerk behind each.
constexpr uint32_t kInfoDeskIDs[] = {225, 243, 278, 288};
// The "CLOSED" sign, shown once the day's clock has run out.
constexpr uint32_t kClosedSignID = 197;
constexpr uint32_t kSprayID = 70;
constexpr uint32_t kSprayStandID = 72;
constexpr uint32_t kLockedBedID = 190;
constexpr uint32_t kCureTouchIconID = 272;
constexpr uint32_t kBurstIconID = 275;
constexpr uint32_t kLuckIconID = 297;
constexpr uint32_t kVirusIconID = 309;

// The laboratory's entities find one another by these.
constexpr uint32_t kDnaID = 311;
constexpr uint32_t kDnaGeneratorID = 312;
constexpr uint32_t kMiskaID = 319;
constexpr uint32_t kCursor2ID = 320;
constexpr uint32_t kMiniGameOverID = 321;
constexpr uint32_t kMiniGameSummaryWindowID = 323;
constexpr uint32_t kMiniGameSummarySesitID = 324;
constexpr uint32_t kMiskaSetID = 355;

// The germ class also holds the cloud riding an ill patient and an entertainer's notes: neither is
// a germ the spray reaches or a click is aimed at.
constexpr bool isLooseGerm(uint32_t entityID, uint32_t classID) {
  return classID == kGermClass && entityID != kGermCloudID && entityID != kHappyNotesID;
}
