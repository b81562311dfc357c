/* A C program against the installed headers: the C-linkage functions and the version. */
#include <ckw/FortranInterface.h>
#include <ckw/Version.h>

#include <stdio.h>
#include <string.h>

int main(void) {
    if (strcmp(CkwCommonUtilVersion(), CKW_VERSION) != 0) {
        fprintf(stderr, "headers %s, library %s\n", CKW_VERSION, CkwCommonUtilVersion());
        return 1;
    }
    INITKWUTIL();
    int number = 0;
    GETLAYERNUM("\xC1\xBA", &number); /* beam */
    CLOSEKWUTIL();
    printf("CkwCommonUtil %s, beam layer %d\n", CkwCommonUtilVersion(), number);
    return number > 0 ? 0 : 1;
}
