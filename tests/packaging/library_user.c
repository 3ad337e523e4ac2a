/* A program of another project that links the installed decoder library. */
#include <stdio.h>

#include <vk6_640x16.h>

int main(void) {
    XQMPI_Decoder* decoder = XQMPI_CreateDecoder(16, 100);
    if (decoder == NULL) return 1;
    printf("%d rows, %s\n", XQMPI_DecoderPictureRows(decoder), XQMPI_DecoderErrorText(XQMPI_ERROR_NOT_A_CODE));
    XQMPI_DestroyDecoder(decoder);
    return 0;
}
