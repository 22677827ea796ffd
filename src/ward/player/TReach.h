#pragma once

// What she finds within her reach on a tile centre, gathered by the two halves of her work before
// anything is done: each field says that one kind of her work can be done here and now. Whether
// that work also needs her arrival is for her work list to say.
struct TReach {
  bool arrived = false;       // she stands where an order sent her, and its work is not yet done
  bool hamper = false;        // the trolley she was sent to, linen in her hand
  bool stand = false;         // the spray stand she was sent to: the spray goes back, or into a free hand
  bool unmadeBed = false;     // an empty unmade bed she was sent to, a hand free
  bool dispenserItem = false; // a dispenser she was sent to, with an item she may take, a hand free
  bool floorMedicine = false; // a bottle on the counter she was sent to, a hand free
  // Her patient, at the bed she was sent to:
  bool outbreak = false;      // coughs, and she has a hand free
  bool medicineDue = false;   // waits for the medicine she holds
  bool itemWanted = false;    // would like the item she holds
  bool cureTouch = false;     // sleeps or waits for medicine, and the cure-touch perk is on
  bool paying = false;        // waves the money
  bool cabinet = false;       // the cabinet, for a prescription she holds
  bool germ = false;          // a germ, the spray in her hand
};
