' InvoiceRouter: sends each incoming invoice along the outgoing connections whose
' "Invoice class" matches its amount. Invoices up to the element's "Amount limit" are small,
' the others are large. The amount comes with the job as its private data "Amount", set by the
' element that read the invoice. The class travels on as the private data "InvoiceClass", and
' the flow counts the invoices of each class in its global data.

' Is invoked each time a new job arrives in one of the input folders for the flow element.
' The newly arrived job is passed as the second parameter.
Function jobArrived( s, job )
    Dim amountText, amount, limit, invoiceClass, connection, sent, countText, count
    amountText = job.getPrivateData( "Amount" )
    If Not IsNumeric( amountText ) Then
        job.fail "Invoice %1 carries no amount in its private data 'Amount'", Array( job.getName )
        Exit Function
    End If
    amount = CDbl( amountText )
    limit = CDbl( s.getPropertyValue( "AmountLimit", job ) )
    If amount > limit Then invoiceClass = "Large" Else invoiceClass = "Small"
    job.setPrivateData "InvoiceClass", invoiceClass

    sent = 0
    For Each connection In s.getOutConnections
        If connection.getPropertyValue( "InvoiceClass", job ) = invoiceClass Then
            job.sendTo connection
            sent = sent + 1
        End If
    Next
    If sent = 0 Then
        job.fail "No outgoing connection takes %1 invoices", Array( LCase( invoiceClass ) )
        Exit Function
    End If
    countText = s.getGlobalData( "Invoices", invoiceClass )
    count = 0
    If IsNumeric( countText ) Then count = CDbl( countText )
    s.setGlobalData "Invoices", invoiceClass, CStr( count + 1 )
    If s.getPropertyValue( "LogRouting", job ) = "Yes" Then
        job.log 1, describeRouting( s, job, amount, invoiceClass )
    End If
End Function

' Is invoked at regular intervals regardless of whether a new job arrived or not.
' The interval can be modified with s.setTimerInterval().
Function timerFired( s )
    ' Invoices are handled as they arrive; the timer only tells when some wait too long. A long
    ' interval keeps the element quiet between jobs.
    Dim waiting
    waiting = s.getJobs
    If UBound( waiting ) >= 0 Then
        s.log 2, "%1 invoices wait to be routed", Array( UBound( waiting ) + 1 )
    End If
    If s.getTimerInterval < 3600 Then s.setTimerInterval 3600
End Function

Function describeRouting( s, job, amount, invoiceClass )
    describeRouting = s.getPropertyValue( "LogPrefix", job ) & " " & job.getName & ": " _
        & FormatNumber( amount, 2, True, False, False ) & " " & s.getPropertyValue( "Currency", job ) _
        & " routed as " & LCase( invoiceClass )
End Function
