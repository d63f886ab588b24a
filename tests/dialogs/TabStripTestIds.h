/* The tab strip tests' own parent dialog. */
#define IDD_TEST_PARENT 300
#define IDC_TEST_EDIT 301
