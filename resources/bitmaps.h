// Identifiers of the program's bitmaps, shared by the resource scripts and the code.
// Written by scripts/gen-bitmaps.py, which also draws resources/bitmaps/*.bmp.
#pragma once

#define IDB_FOLDER                      182  // a closed folder (tree)
#define IDB_FOLDER_OPEN                 181  // an open folder (the selected folder in the tree)
#define IDB_TREE_ITEM                   238  // a small key (an item under a folder in the tree)
#define IDB_MENU_IMAGES                 153  // menu images, 9 of 16x16: new, open, save, master password, options, report, export, import, help
#define IDB_SORT_ARROWS                 211  // sort arrows, 2 of 9x9: ascending (up), descending (down)
#define IDB_GRID_IMAGES                 145  // a record row: a card with a key
#define IDB_GRID_IMAGES_EXPIRED         147  // an expired record row: the card with a red clock
#define IDB_COLUMN_DESCRIPTION          185  // description column: a tag
#define IDB_COLUMN_USERNAME             183  // user name column: a person
#define IDB_COLUMN_PASSWORD             184  // password column: a key
#define IDB_COLUMN_TITLE                256  // title column: a disc
#define IDB_COLUMN_SERIAL               257  // serial number column: a barcode
#define IDB_COLUMN_CARD                 258  // card column: a credit card
#define IDB_COLUMN_BANK                 259  // bank column: a bank building
#define IDB_COLUMN_ACCOUNT              260  // account column: a number sign
#define IDB_COLUMN_PHONE                261  // phone column: a telephone handset
#define IDB_COLUMN_ASSIGNED             214  // assigned date column: a calendar page
#define IDB_COLUMN_EXPIRES              215  // expiry date column: a calendar page with a red mark
#define IDB_STATUS_SAVED                700  // status bar, no changes: a grey floppy disk (opaque)
#define IDB_STATUS_MODIFIED             701  // status bar, unsaved changes: a blue floppy disk (opaque)
#define IDB_BUTTON_ADD_FOLDER_SKIN      710  // editor button, add a folder: a folder with a green plus
#define IDB_BUTTON_ADD_SUBFOLDER_SKIN   711  // editor button, add a subfolder: a folder, a small folder and a plus
#define IDB_BUTTON_DELETE_FOLDER_SKIN   712  // editor button, delete the folder: a folder with a red cross
#define IDB_BUTTON_RENAME_FOLDER_SKIN   713  // editor button, rename the folder: a folder with a pencil
#define IDB_BUTTON_SEARCH_FOLDERS_SKIN  714  // editor button, search the folders: a folder with a magnifier
#define IDB_BUTTON_ADD_RECORD_SKIN      715  // editor button, add a record: a card with a green plus
#define IDB_BUTTON_DELETE_RECORD_SKIN   716  // editor button, delete the record: a card with a red cross
#define IDB_BUTTON_EDIT_RECORD_SKIN     717  // editor button, edit the record: a card with a pencil
#define IDB_BUTTON_SEARCH_RECORDS_SKIN  718  // editor button, search the records: a magnifier
#define IDB_BUTTON_GENERATE_SKIN        719  // editor button, generate a password: a key with sparkles
#define IDB_BUTTON_IMPORT_SKIN          720  // editor button, import: an arrow into a box
#define IDB_BUTTON_EXPORT_SKIN          721  // editor button, export: an arrow out of a box
#define IDB_BUTTON_REPORT_SKIN          722  // editor button, print a report: a printer
#define IDB_BUTTON_FORM_DATA_SKIN       723  // editor button, edit the form data: a window with two input lines
#define IDB_BUTTON_OPEN_WEB_SKIN        724  // editor button, open the web page: a globe
#define IDB_BUTTON_SEND_EMAIL_SKIN      725  // editor button, send an email: an envelope
#define IDB_BUTTON_ADD_FOLDER_PLAIN     730  // editor button, plain: add a folder
#define IDB_BUTTON_ADD_SUBFOLDER_PLAIN  731  // editor button, plain: add a subfolder
#define IDB_BUTTON_DELETE_FOLDER_PLAIN  732  // editor button, plain: delete the folder
#define IDB_BUTTON_RENAME_FOLDER_PLAIN  733  // editor button, plain: rename the folder
#define IDB_BUTTON_SEARCH_FOLDERS_PLAIN 734  // editor button, plain: search the folders
#define IDB_BUTTON_ADD_RECORD_PLAIN     735  // editor button, plain: add a record
#define IDB_BUTTON_DELETE_RECORD_PLAIN  736  // editor button, plain: delete the record
#define IDB_BUTTON_EDIT_RECORD_PLAIN    737  // editor button, plain: edit the record
#define IDB_BUTTON_SEARCH_RECORDS_PLAIN 738  // editor button, plain: search the records
#define IDB_BUTTON_GENERATE_PLAIN       739  // editor button, plain: generate a password
#define IDB_BUTTON_IMPORT_PLAIN         740  // editor button, plain: import
#define IDB_BUTTON_EXPORT_PLAIN         741  // editor button, plain: export
#define IDB_BUTTON_REPORT_PLAIN         742  // editor button, plain: print a report
#define IDB_BUTTON_FORM_DATA_PLAIN      743  // editor button, plain: edit the form data
#define IDB_BUTTON_OPEN_WEB_PLAIN       744  // editor button, plain: open the web page
#define IDB_BUTTON_SEND_EMAIL_PLAIN     745  // editor button, plain: send an email
#define IDB_TRAY_SKIN                   221  // tray window background, skin (203x247)
#define IDB_TRAY_PLAIN                  333  // tray window background, plain (203x247)
#define IDB_TRAY_SEARCH                 166  // tray button search: a magnifier
#define IDB_TRAY_SEARCH_DOWN            132  // tray button search, pressed
#define IDB_TRAY_SEARCH_DISABLED        193  // tray button search, disabled
#define IDB_TRAY_COPY                   187  // tray button copy: two pages
#define IDB_TRAY_COPY_DOWN              188  // tray button copy, pressed
#define IDB_TRAY_PASTE                  186  // tray button paste: a clipboard
#define IDB_TRAY_PASTE_DOWN             189  // tray button paste, pressed
#define IDB_TRAY_CLOSE                  190  // tray button close: a cross
#define IDB_TRAY_CLOSE_DOWN             191  // tray button close, pressed
#define IDB_TRAY_EDITOR                 168  // tray button editor: a pencil over a page
#define IDB_TRAY_EDITOR_DOWN            131  // tray button editor, pressed
#define IDB_TRAY_PLAIN_SEARCH           312  // tray button search, plain
#define IDB_TRAY_PLAIN_SEARCH_DOWN      313  // tray button search, plain, pressed
#define IDB_TRAY_PLAIN_COPY             330  // tray button copy, plain
#define IDB_TRAY_PLAIN_PASTE            332  // tray button paste, plain
#define IDB_TRAY_PLAIN_CLOSE            334  // tray button close, plain
#define IDB_TRAY_PLAIN_EDITOR           314  // tray button editor, plain
#define IDB_TRAY_PINNED                 292  // tray pin button, pinned: the pin pushed in
#define IDB_TRAY_UNPINNED               289  // tray pin button, not pinned: the pin tilted
